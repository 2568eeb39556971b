// Names, case, white space and UTF-16: the parts of the platform layer that
// need no disk, the same on every system.
#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/atomic_writer.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/user_files.h"

namespace mapio::platform {
namespace {

// Each row: `first` sorts strictly before `second`.
struct OrderRow {
  std::string_view first;
  std::string_view second;
  const char* why;
};

const OrderRow kOrder[] = {
    {"aab", "a_b", "letters fold to upper case before '_' is compared"},
    {"a", "B", "case does not decide between different letters"},
    {"ABC", "abc", "names equal but for case: bytes decide"},
    {"Abc", "aBC", "case tie, first differing byte decides"},
    {"a.b", "ab", "'.' sorts before letters"},
    {"10.png", "9.png", "digits compare one by one"},
    {"z", "\xC3\xA9", "é after every ASCII letter"},
    {"\xC3\xA9"
     "a",
     "\xC3\x89"
     "b",
     "é folds to É"},
    {"\xC3\x84", "\xC3\xA4", "Ä and ä tie; bytes decide"},
    {"\xF0\x9F\x98\x80", "\xEE\x80\x80", "UTF-16 units: a surrogate before U+E000"},
    {"\xC3\xA9", "\xFF", "invalid byte 0xFF compares as U+00FF"},
    {"\xFF", "\xC4\x80", "invalid 0xFF before U+0100 though its byte is larger"},
    {"\xC3\xA9", "\xE9", "valid é folds to U+00C9, Latin-1 0xE9 stays 0xE9"},
    {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8", "outside the BMP, case is kept as NTFS does"},
    {"\xC3\x9F", "\xC3\xBF", "ß has no capital in NTFS; ÿ folds to U+0178"},
    {"\xED\xA0\x80", "\xC4\x80", "an encoded surrogate is bytes: 0x00ED before U+0100"},
    {"", "a", "the empty name first"},
    {"a", "a ", "a prefix first"},
};

TEST(CompareNames, OrdersLikeNtfs) {
  for (const OrderRow& row : kOrder) {
    SCOPED_TRACE(row.why);
    EXPECT_LT(CompareNames(row.first, row.second), 0);
    EXPECT_GT(CompareNames(row.second, row.first), 0);
    EXPECT_EQ(CompareNames(row.first, row.first), 0);
  }
}

struct MapRow {
  std::string_view in;
  std::string_view out;
};

TEST(LowerCaseName, MapsAsciiAndValidUtf8) {
  const MapRow rows[] = {
      {"Face01.PNG", "face01.png"},
      {"\xC3\x84\xC3\x96.JPG", "\xC3\xA4\xC3\xB6.jpg"},          // ÄÖ
      {"\xCE\xA3\xCE\x91\xCE\xA3", "\xCF\x83\xCE\xB1\xCF\x83"},  // ΣΑΣ, no final-sigma rule
      {"\xE2\x84\xAA", "k"},                                     // Kelvin sign
      {"\xC4\xB0X", "ix"},                                       // İ: simple mapping only
      {"\xC4\xD6.PNG", "\xC4\xD6.png"},                          // Latin-1 bytes kept
      {"\xC3\x84\xFF"
       "A",
       "\xC3\x84\xFF"
       "a"},  // one bad byte: ASCII only
      {"ALREADY lower", "already lower"},
      {"", ""},
  };
  for (const MapRow& row : rows) {
    EXPECT_EQ(LowerCaseName(row.in), row.out) << "input: " << row.in;
  }
}

TEST(CaseFoldKey, MatchesNamesThatDifferOnlyInCase) {
  const std::vector<std::vector<std::string_view>> sameKey = {
      {"Face.PNG", "face.png", "FACE.png"},
      {"\xC3\x84rger", "\xC3\xA4RGER"},      // Ärger
      {"\xCF\x82", "\xCF\x83", "\xCE\xA3"},  // ς σ Σ
      {"s", "S", "\xC5\xBF"},                // long s
      {"k", "K", "\xE2\x84\xAA"},            // Kelvin sign
      {"\xC3\x9F", "\xE1\xBA\x9E"},          // ß ẞ
      {"A\xFF\xC3\x84", "a\xFF\xC3\xA4"},    // bad byte kept, rest folded
  };
  for (const auto& group : sameKey) {
    for (std::string_view name : group) {
      EXPECT_EQ(CaseFoldKey(name), CaseFoldKey(group.front())) << name;
    }
  }
  EXPECT_NE(CaseFoldKey("Stra\xC3\x9F"
                        "e"),
            CaseFoldKey("STRASSE"));  // simple folding only
  EXPECT_NE(CaseFoldKey("a\xFF"), CaseFoldKey("a\xDF"));
  EXPECT_EQ(CaseFoldKey("A\xFF"), "a\xFF");
}

// The appending form folds ASCII names eight bytes at a time: every length
// of the last word, every byte next to a letter, non-ASCII in any word.
TEST(CaseFoldKey, AppendsTheSameKey) {
  std::string ascii;
  for (int c = 1; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
  std::vector<std::string> names = {ascii, "10000000_Amber_Amberson.PNG", "\xC3\x84rger",
                                    "ABCDEFGH\xC3\x84IJKLMNOPQRS", "ABCDEFGHIJKLMNOPQ\xC3\x84"};
  for (std::size_t size = 0; size <= 17; ++size) names.push_back(ascii.substr(64 - size / 2, size));
  for (const std::string& name : names) {
    std::string appended = "Key:";
    AppendCaseFoldKey(name, appended);
    EXPECT_EQ(appended, "Key:" + CaseFoldKey(name)) << name;
  }
}

TEST(Trim, RemovesAsciiWhiteSpaceOnly) {
  const MapRow rows[] = {
      {" \t\n\v\f\rabc \r\n", "abc"},
      {"\v<list id=\"maps\">\f", "<list id=\"maps\">"},
      {"a b", "a b"},
      {"\xA0"
       "abc"
       "\xA0",
       "\xA0"
       "abc"
       "\xA0"},  // no-break space in Latin-1
      {"\x85x", "\x85x"},
      {" \xC2\xA0 ", "\xC2\xA0"},
      {"   ", ""},
      {"", ""},
  };
  for (const MapRow& row : rows) EXPECT_EQ(Trim(row.in), row.out);
}

TEST(JoinPath, ConcatenatesWithOneSeparator) {
  const std::string sep(1, kSeparator);
  EXPECT_EQ(JoinPath("pics", "config.xml"), "pics" + sep + "config.xml");
  EXPECT_EQ(JoinPath("pics" + sep, "config.xml"), "pics" + sep + sep + "config.xml");
  EXPECT_EQ(JoinPath("", "a"), sep + "a");
  EXPECT_EQ(JoinPath("a", ""), "a" + sep);
}

// What comes from Windows is UTF-16 that may hold lone surrogates; it must
// come back to the system as it was. What comes from a file may be any bytes.
TEST(Utf16, NamesFromTheSystemComeBackAsTheyWere) {
  struct Row {
    std::u16string_view system;
    std::string_view utf8;
  };
  const Row rows[] = {
      {u"M\u00FCller_\u0141ukasz_\u0110okovi\u0107",
       "M\xC3\xBCller_\xC5\x81ukasz_\xC4\x90okovi\xC4\x87"},
      {u"\u0418\u0432\u0430\u043D\u043E\u0432 \u674E",
       "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2 \xE6\x9D\x8E"},
      {u"\U0001F600.png", "\xF0\x9F\x98\x80.png"},
      {u"\xD800x", "\xED\xA0\x80x"},                  // a lone high surrogate
      {u"a\xD83D", "a\xED\xA0\xBD"},                  // … at the end
      {u"\xDC00", "\xED\xB0\x80"},                    // a lone low one
      {u"\xDE00\xD83D", "\xED\xB8\x80\xED\xA0\xBD"},  // a pair the wrong way round
      {u"", ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FromUtf16(row.system), row.utf8);
    std::u16string back;
    EXPECT_TRUE(ToUtf16(row.utf8, back)) << row.utf8;
    EXPECT_EQ(back, row.system) << row.utf8;
  }
}

TEST(Utf16, BytesThatAreNoUtf8BecomeReplacementCharacters) {
  struct Row {
    std::string_view bytes;
    std::u16string_view shown;
  };
  const Row rows[] = {
      {"M\xFCller", u"M\uFFFDller"},                      // Windows-1252
      {"\xC3", u"\uFFFD"},                                // cut short
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/"
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      // A pair as two lone halves: the system never gave it so.
      {"\xED\xA0\xBD\xED\xB8\x80", u"\xD83D\uFFFD\uFFFD\uFFFD"},
  };
  for (const Row& row : rows) {
    std::u16string out;
    EXPECT_FALSE(ToUtf16(row.bytes, out)) << row.bytes;
    EXPECT_EQ(out, row.shown) << row.bytes;
  }
}

TEST(IsTemporaryName, KnowsOnlyTheWritersNamesForTheTarget) {
  struct Row {
    std::string_view name;
    bool temporary;
  };
  const Row rows[] = {
      {".config.xml.mapio-Ab12Zx", true},
      {".config.mapio-000000", true},  // the name cut short for a long path
      {".notes.txt.mapio-Ab12Zx", false},
      {".x.config.xml.mapio-Ab12Zx", false},
      {"config.xml.mapio-Ab12Zx", false},  // not hidden
      {".config.xml.mapio-Ab12Z", false},  // five random letters
      {".config.xml.mapio-Ab12Z!", false},
      {".config.xml.mapio-Ab12Zx.png", false},
      {"..mapio-Ab12Zx", false},
      {".config.xml", false},
      {"", false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsTemporaryName(row.name, "config.xml"), row.temporary) << row.name;
  }
}

TEST(LooksLikeUtf16, ByMarkOrNulsInEveryOtherByte) {
  using namespace std::string_view_literals;
  struct Row {
    std::string_view head;
    bool utf16;
  };
  const Row rows[] = {
      {"\xFF\xFE<\0"sv, true},
      {"\xFE\xFF\0<"sv, true},
      {"<\0?\0x\0m\0l\0"sv, true},
      {"\0<\0?\0x\0m\0l"sv, true},
      {"\xEF\xBB\xBF<?xml"sv, false},  // UTF-8's mark
      {"<?xml version"sv, false},
      {"<\0?x"sv, false},
      {"<\0"sv, false},  // too short to tell
      {"\0\0\0\0"sv, false},
      {""sv, false},
  };
  for (const Row& row : rows) EXPECT_EQ(LooksLikeUtf16(row.head), row.utf16) << row.head;
}

TEST(RunTogether, RunsBothAndPassesOnAFailureOnceBothEnded) {
  std::atomic<int> ran{0};
  RunTogether([&] { ++ran; }, [&] { ++ran; });
  EXPECT_EQ(ran, 2);
  EXPECT_THROW(RunTogether(
                   [&] {
                     ++ran;
                     throw std::runtime_error("aside");
                   },
                   [&] { ++ran; }),
               std::runtime_error);
  EXPECT_EQ(ran, 4);
  EXPECT_THROW(RunTogether([&] { ++ran; }, [] { throw std::logic_error("here"); }),
               std::logic_error);
  EXPECT_EQ(ran, 5);
}

// Journals are listed by these: the same on every system, leap days and
// the second before the epoch included.
TEST(TimeText, UtcDateAndTime) {
  const std::pair<std::time_t, std::string_view> rows[] = {
      {0, "1970-01-01 00:00:00"},
      {-1, "1969-12-31 23:59:59"},
      {951782400, "2000-02-29 00:00:00"},
      {1796810607, "2026-12-09 10:03:27"},
  };
  for (const auto& [when, text] : rows) EXPECT_EQ(TimeText(when), text) << when;
}

}  // namespace
}  // namespace mapio::platform
