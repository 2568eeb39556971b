// What the text of Linux and macOS has of its own: utf8proc's case
// mappings, which the Windows build has from a table made from them, and
// names of older Windows tools read as Windows-1252.
#include <gtest/gtest.h>
#include <utf8proc.h>

#include "platform/case_mapping.h"
#include "platform/text.h"

namespace mapio::platform {
namespace {

// Fails once utf8proc has moved to a newer Unicode: `make case-table`.
TEST(CaseTable, MapsEveryCodePointAsUtf8procDoes) {
  int differences = 0;
  for (char32_t c = 0; c <= 0x10FFFF && differences < 10; ++c) {
    const auto u = static_cast<utf8proc_int32_t>(c);
    if (TableLower(c) != static_cast<char32_t>(utf8proc_tolower(u)) ||
        TableUpper(c) != static_cast<char32_t>(utf8proc_toupper(u))) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<std::uint32_t>(c);
      ++differences;
    }
  }
}

TEST(LegacyNameToUtf8, ReadsWindows1252) {
  EXPECT_EQ(LegacyNameToUtf8("M\xFCller"), "M\xC3\xBCller");
  EXPECT_EQ(LegacyNameToUtf8("\x80\x8A\x9F"), "\xE2\x82\xAC\xC5\xA0\xC5\xB8");  // € Š Ÿ
  EXPECT_EQ(LegacyNameToUtf8("\x81\x9D"), "\xC2\x81\xC2\x9D");  // unused: C1 controls
  EXPECT_EQ(LegacyNameToUtf8("plain"), "plain");
}

}  // namespace
}  // namespace mapio::platform
