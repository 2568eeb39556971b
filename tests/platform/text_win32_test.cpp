// Windows names: bytes in the ANSI code page. Each test sets the code page
// it is about, so the results do not depend on the machine's language.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

#include <mbctype.h>  // after the C++ headers: it defines _M1, _S1 …

namespace mapio::platform {
namespace {

class CodePage {
 public:
  explicit CodePage(int cp) { ok_ = _setmbcp(cp) == 0; }
  ~CodePage() { _setmbcp(_MB_CP_ANSI); }
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

#define REQUIRE_CODE_PAGE(cp, name) \
  CodePage name(cp);                \
  if (!name.ok()) GTEST_SKIP() << "no code page " << cp << " here"

struct OrderRow {
  std::string_view first;
  std::string_view second;
  const char* why;
};

TEST(CompareNamesWin32, OrdersLikeNtfsInWindows1252) {
  REQUIRE_CODE_PAGE(1252, cp);
  const OrderRow rows[] = {
      {"aab", "a_b", "letters fold to upper case before '_' is compared"},
      {"a", "B", "case does not decide between different letters"},
      {"ABC", "abc", "names equal but for case: bytes decide"},
      {"a.b", "ab", "'.' sorts before letters"},
      {"10.png", "9.png", "digits compare one by one"},
      {"z", "\xE9", "e acute after every ASCII letter"},
      {"\xE9"
       "a",
       "\xC9"
       "b",
       "e acute folds to E acute"},
      {"\xC4", "\xE4", "A and a umlaut tie; bytes decide"},
      {"\xC0", "\x80", "A grave (U+00C0) before the euro sign (U+20AC), unlike their bytes"},
      {"", "a", "the empty name first"},
  };
  for (const OrderRow& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_LT(CompareNames(row.first, row.second), 0);
    EXPECT_GT(CompareNames(row.second, row.first), 0);
    EXPECT_EQ(CompareNames(row.first, row.first), 0);
  }
  EXPECT_EQ(NameSortKey("a\xE9\xFF"), u"A\u00C9\u0178");  // through Unicode, as NTFS
}

TEST(CompareNamesWin32, ReadsDoubleByteCharactersWhole) {
  REQUIRE_CODE_PAGE(932, cp);
  // Full-width "a" (82 81) folds to full-width "A" (82 60): the trail byte
  // 0x81 alone is no letter.
  EXPECT_EQ(NameSortKey("\x82\x81"), u"\uFF21");
  EXPECT_LT(CompareNames("\x82\x60", "\x82\x81"), 0);
  EXPECT_EQ(NameSortKey("\x82\x81"), NameSortKey("\x82\x60"));
}

struct MapRow {
  std::string_view in;
  std::string_view out;
};

TEST(LowerCaseNameWin32, LowersLettersOfTheCodePage) {
  {
    REQUIRE_CODE_PAGE(1252, cp);
    const MapRow rows[] = {
        {"Face01.PNG", "face01.png"},
        {"\xC4\xD6.JPG", "\xE4\xF6.jpg"},  // ÄÖ
        {"\x8A\x9F", "\x9A\xFF"},          // Š Ÿ, outside Latin-1
        {"\xDF\xB5", "\xDF\xB5"},          // ß and µ have no other case here
        {"", ""},
    };
    for (const MapRow& row : rows) EXPECT_EQ(LowerCaseName(row.in), row.out) << row.in;
    EXPECT_EQ(CaseFoldKey("\xC4rger"), CaseFoldKey("\xE4RGER"));
    EXPECT_EQ(CaseFoldKey(std::string("A\0B", 3)), std::string("a\0b", 3));
  }
  REQUIRE_CODE_PAGE(932, cp);
  const MapRow rows[] = {
      {"\x83\x41.PNG", "\x83\x41.png"},  // katakana A: trail byte 0x41 is no "A"
      {"\x82\x60Z", "\x82\x81z"},        // full-width A lowers as one character
      {"A\x82", "a\x82"},                // a lead byte at the end stands alone
  };
  for (const MapRow& row : rows) EXPECT_EQ(LowerCaseName(row.in), row.out);
  EXPECT_EQ(CaseFoldKey("\x82\x60"), CaseFoldKey("\x82\x81"));
}

TEST(TrimWin32, RemovesAsciiWhiteSpaceOnly) {
  {
    REQUIRE_CODE_PAGE(1252, cp);
    const MapRow rows[] = {
        {" \t\n\v\f\rabc \r\n", "abc"},
        {"\v<list id=\"maps\">\r", "<list id=\"maps\">"},
        {"\xA0"
         "abc"
         "\xA0",
         "\xA0"
         "abc"
         "\xA0"},  // the runtime calls 0xA0 space; not here
        {"a b", "a b"},
        {"   ", ""},
        {"", ""},
    };
    for (const MapRow& row : rows) EXPECT_EQ(Trim(row.in), row.out);
  }
  REQUIRE_CODE_PAGE(932, cp);
  EXPECT_EQ(Trim("\x81\x40x\x81\x40 "), "\x81\x40x\x81\x40");  // ideographic space stays
  EXPECT_EQ(Trim(" \x83\x41 "), "\x83\x41");
}

}  // namespace
}  // namespace mapio::platform
