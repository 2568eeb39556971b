#include "ui/editor_text.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

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

TEST(EditorText, LineEndStyleIsTheMajority) {
  EXPECT_EQ(DecodeForDisplay("a\r\nb\r\nc\n").format.lineEnd, LineEnd::CrLf);
  EXPECT_EQ(DecodeForDisplay("a\nb\nc\r\n").format.lineEnd, LineEnd::Lf);
  EXPECT_EQ(DecodeForDisplay("a\nb\r\n").format.lineEnd, NativeLineEnd());
  EXPECT_EQ(DecodeForDisplay("none").format.lineEnd, NativeLineEnd());
}

TEST(EditorText, MinorityLineEndsShowAMarker) {
  EXPECT_EQ(DecodeForDisplay("a\r\nb\nc\r\n").text, "a\nb\xe2\x90\x8a\nc\n");
  EXPECT_EQ(DecodeForDisplay("a\nb\r\nc\n").text, "a\nb\xe2\x90\x8d\nc\n");
}

TEST(EditorText, StrayMarkersTypedByTheUserAreKept) {
  // An escape or a bare-LF marker that is not followed by what it marks is
  // just a character.
  const TextFormat utf8{TextEncoding::Utf8, LineEnd::CrLf};
  EXPECT_EQ(EncodeForSaving("\xef\xa3\xbfx", utf8), "\xef\xa3\xbfx");
  EXPECT_EQ(EncodeForSaving("\xe2\x90\x8ax\n", utf8), "\xe2\x90\x8ax\r\n");
  EXPECT_EQ(EncodeForSaving("\xe2\x90\x8a\n", utf8), "\n");
}

TEST(EditorText, Windows1252SavesOnlyWhatItCanStore) {
  const TextFormat cp1252{TextEncoding::Windows1252, LineEnd::Lf};
  EXPECT_EQ(EncodeForSaving("\xe2\x82\xac\xc5\xb8\xc3\xbf\xc2\x81", cp1252), "\x80\x9f\xff\x81");
  EXPECT_EQ(EncodeForSaving("\xc4\x80", cp1252), std::nullopt);  // U+0100
}

TEST(EditorText, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (const std::string& bytes : {all, all + all + "\r\n\r\n"}) {
    const DisplayText shown = DecodeForDisplay(bytes);
    EXPECT_EQ(shown.format.encoding, TextEncoding::Windows1252);
    EXPECT_TRUE(platform::IsValidUtf8(shown.text));
    EXPECT_EQ(shown.text.find('\0'), std::string::npos);
    EXPECT_EQ(shown.text.find('\r'), std::string::npos);
    EXPECT_EQ(EncodeForSaving(shown.text, shown.format), bytes);
  }
}

// Pieces cut where a marker meets its line break or an escape its
// stand-in would lose bytes when saved piece by piece.
TEST(EditorText, PiecesHoldWholeLinesAndSaveTheSameBytes) {
  const std::string bytes = "ab\r\nbare\ncd\r\n\xef\xa3\xbf\xe2\x90\x8a\r\n\r\nlong line\r\nx\r\n";
  for (const std::size_t pieceBytes : {1, 3, 5, 100}) {
    SCOPED_TRACE(pieceBytes);
    const DisplayPieces shown = DecodeForDisplayInPieces(bytes, pieceBytes);
    std::string joined;
    std::string saved;
    for (std::size_t i = 0; i < shown.pieces.size(); ++i) {
      const std::string& piece = shown.pieces[i];
      if (i + 1 < shown.pieces.size()) {
        EXPECT_EQ(piece.back(), '\n');
        EXPECT_GE(piece.size(), pieceBytes);
      }
      joined += piece;
      saved += EncodeForSaving(piece, shown.format).value();
    }
    EXPECT_EQ(joined, DecodeForDisplay(bytes).text);
    EXPECT_EQ(saved, bytes);
  }
  EXPECT_EQ(DecodeForDisplayInPieces("", 4).pieces, std::vector<std::string>{""});
  EXPECT_EQ(DecodeForDisplayInPieces("a\nb\n", 1).pieces, (std::vector<std::string>{"a\n", "b\n"}));
}

// The check counts a lone CR as a line end; the editor shows it as a mark.
TEST(EditorText, TheCheckedLineIsFoundAmongTheShownOnes) {
  const struct {
    std::string bytes;
    std::size_t line, shown;
  } cases[] = {
      {"a\nb\nc\n", 3, 3},    {"a\r\nb\r\nc", 2, 2}, {"a\rb\rc\nd\n", 3, 1},
      {"a\rb\rc\nd\n", 4, 2}, {"a\r\rb\n", 3, 1},    {"a\n", 9, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DisplayLineOf(c.bytes, c.line), c.shown) << c.bytes << " " << c.line;
}

}  // namespace
}  // namespace mapio::ui
