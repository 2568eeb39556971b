#include "ui/editor_text.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "ui/editor_find.h"

namespace mapio::ui {
namespace {

TEST(EditorText, StrictUtf8) {
  const struct {
    std::string bytes;
    bool valid;
  } cases[] = {
      {"plain", true},
      {"\xc3\xa9\xe2\x82\xac\xf4\x8f\xbf\xbf", true},
      {"\xc0\xaf", false},          // overlong
      {"\xe0\x80\xaf", false},      // overlong
      {"\xed\xa0\x80", false},      // surrogate
      {"\xf4\x90\x80\x80", false},  // above U+10FFFF
      {"\xe2\x82", false},          // cut short
      {"\x80", false},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(EditorText, TheLookFollowsTheFile) {
  using enum LineEnd;
  const LineEnd native = NativeLineEnd();
  const struct {
    std::string bytes;
    TextEncoding encoding;
    LineEnd lineEnd;
    bool showLineEnds;
  } cases[] = {
      {"a\r\nb\r\nc", TextEncoding::Utf8, CrLf, false},
      {"a\nb\n", TextEncoding::Utf8, Lf, false},
      {"a\r\nb\r\nc\n", TextEncoding::Utf8, CrLf, true},  // the majority
      {"a\nb\nc\r\n", TextEncoding::Utf8, Lf, true},
      {"a\nb\r\n", TextEncoding::Utf8, native, true},  // a tie
      {"none", TextEncoding::Utf8, native, false},
      {"a\rb\r", TextEncoding::Utf8, Cr, false},      // CR only
      {"a\rb\nc", TextEncoding::Utf8, native, true},  // a tie of all three
      {"a\nb\rc\n", TextEncoding::Utf8, Lf, true},    // a CR among LFs
      {"a\nb\n\r", TextEncoding::Utf8, Lf, true},     // a CR at the very end
      {"\xef\xbb\xbf<a/>\r\n", TextEncoding::Utf8, CrLf, false},
      {std::string("nul\0\n", 5), TextEncoding::Utf8, Lf, false},
      {"caf\xe9\n", TextEncoding::Windows1252, Lf, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    const EditorLook look = LookOf(c.bytes);
    EXPECT_EQ(look.encoding, c.encoding);
    EXPECT_EQ(look.lineEnd, c.lineEnd);
    EXPECT_EQ(look.showLineEnds, c.showLineEnds);
    EXPECT_TRUE(look.colour);
  }
  EXPECT_TRUE(ColoursXml(kColourLimit));
  EXPECT_FALSE(ColoursXml(kColourLimit + 1));
}

// Needles as typed: UTF-8. The text: the editor's bytes.
TEST(EditorFind, FindsNextAndPreviousGoingRoundTheEnd) {
  using enum FindDirection;
  const std::string text = "ab AB ab";
  const struct {
    FindDirection direction;
    std::size_t from;
    bool matchCase;
    TextRange found;
  } cases[] = {
      {Next, 0, false, {0, 2}},     {Next, 1, false, {3, 5}},
      {Next, 6, false, {6, 8}},     {Next, 7, false, {0, 2}},  // round the end
      {Next, 1, true, {6, 8}},      {Previous, 8, false, {6, 8}},
      {Previous, 6, false, {3, 5}}, {Previous, 0, false, {6, 8}},  // round the start
      {Previous, 6, true, {0, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.from);
    EXPECT_EQ(FindText(text, TextEncoding::Utf8, {"ab", c.matchCase, c.direction}, c.from),
              c.found);
  }
  EXPECT_EQ(FindText(text, TextEncoding::Utf8, {"abc", false, Next}, 0), std::nullopt);
  EXPECT_EQ(FindText(text, TextEncoding::Utf8, {"", false, Next}, 0), std::nullopt);
}

TEST(EditorFind, LettersOfAnyScriptMatchInEitherCase) {
  const struct {
    std::string text;
    TextEncoding encoding;
    std::string needle;
    std::optional<TextRange> found;
  } cases[] = {
      {"x \xc5\x81\xc3\x93"
       "D\xc5\xb9",
       TextEncoding::Utf8,
       "\xc5\x82\xc3\xb3"
       "d\xc5\xba",
       TextRange{2, 9}},  // ŁÓDŹ, łódź
      {"\xd0\x9c\xd0\x98\xd0\xa0", TextEncoding::Utf8, "\xd0\xbc\xd0\xb8\xd1\x80",
       TextRange{0, 6}},                                                         // МИР, мир
      {"Caf\xc9 x", TextEncoding::Windows1252, "caf\xc3\xa9", TextRange{0, 4}},  // CAFÉ, café
      {"\x80 5", TextEncoding::Windows1252, "\xe2\x82\xac", TextRange{0, 1}},    // €
      {"caf\xe9", TextEncoding::Utf8, "caf\xc3\xa9", std::nullopt},              // no UTF-8: no é
      {std::string("a\0b", 3), TextEncoding::Utf8, "b", TextRange{2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.needle);
    EXPECT_EQ(FindText(c.text, c.encoding, {c.needle, false, FindDirection::Next}, 0), c.found);
  }
}

TEST(EditorFind, LineNumbersAreDigitsWithinTheFile) {
  const struct {
    std::string typed;
    std::optional<std::size_t> line;
  } cases[] = {
      {"1", 1},
      {" 42 ", 42},
      {"120", 120},
      {"0", std::nullopt},
      {"121", std::nullopt},
      {"", std::nullopt},
      {"4x", std::nullopt},
      {"-3", std::nullopt},
      {"99999999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseLineNumber(c.typed, 120), c.line) << c.typed;
  EXPECT_EQ(LineOutOfRangeText(120), "Type a line number from 1 to 120.");
  EXPECT_EQ(NotFoundText("gone"), "Cannot find \"gone\"");
}

}  // namespace
}  // namespace mapio::ui
