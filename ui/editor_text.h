// Turns the bytes of config.xml into the text the editor shows and back, so
// that a save writes exactly the bytes the user did not edit.
//
// - Valid UTF-8 is shown as UTF-8; anything else as Windows-1252, one
//   character per byte (its five unused bytes as the C1 controls of the same
//   value), which is what files made by the Windows program are in.
// - Line ends: the file's own style (the more frequent of CR LF and LF; the
//   system's style for a tie) is shown as plain line breaks and saved again
//   in that style. A line end of the other style keeps its bytes through a
//   marker at the end of its line: U+240D (CR) before a break of an LF file,
//   U+240A before a bare LF break of a CR LF file. A CR on its own is U+240D
//   too.
// - Characters a text box cannot hold as themselves become visible stand-ins:
//   NUL is U+2400; U+2029, U+FDD0 and U+FDD1, which text boxes take as their
//   own block marks, are U+F8F0 to U+F8F2. Any of these stand-ins that is in
//   the file itself is shown after the escape U+F8FF (which escapes itself).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapio::ui {

enum class TextEncoding { Utf8, Windows1252 };
enum class LineEnd { Lf, CrLf };

struct TextFormat {
  TextEncoding encoding = TextEncoding::Utf8;
  LineEnd lineEnd = LineEnd::Lf;
  bool operator==(const TextFormat&) const = default;
};

struct DisplayText {
  std::string text;  // UTF-8, "\n" between lines
  TextFormat format;
};

// Line ends of files without any (or with as many of each).
LineEnd NativeLineEnd();

DisplayText DecodeForDisplay(std::string_view fileBytes);

// The same text in pieces, so that a large file can be let go a piece at a
// time: each piece but the last ends after a line break and is at least
// `pieceBytes` long (a piece holds whole lines). Never no piece.
struct DisplayPieces {
  std::vector<std::string> pieces;
  TextFormat format;
};
DisplayPieces DecodeForDisplayInPieces(std::string_view fileBytes, std::size_t pieceBytes);

// The editor's line (from 1) that shows line `line` of the file as the
// check counts lines (LF, CR LF and a lone CR each end one). They differ
// after a lone CR, which the editor shows as a mark within its line.
std::size_t DisplayLineOf(std::string_view fileBytes, std::size_t line);

// The bytes to save for `text` (UTF-8, as the editor handed it back).
// A text may be encoded in pieces that end after line breaks.
// nullopt when the text holds a character that `format`'s encoding cannot
// store (a Windows-1252 file has no room for most of Unicode).
std::optional<std::string> EncodeForSaving(std::string_view text, const TextFormat& format);

}  // namespace mapio::ui
