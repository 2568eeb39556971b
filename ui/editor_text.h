// How the editor shows the bytes of config.xml. The editor's component
// keeps the bytes themselves, and a save writes exactly what it holds: line
// ends, a byte-order mark, a missing last line end, NUL and bytes that are
// no UTF-8 stay as they were unless the user edits them.
#pragma once

#include <cstddef>
#include <string_view>

namespace mapio::ui {

enum class TextEncoding {
  Utf8,         // valid UTF-8 (with or without a byte-order mark)
  Windows1252,  // anything else: one character a byte, typed text so too
};
enum class LineEnd { Lf, CrLf, Cr };

struct EditorLook {
  TextEncoding encoding = TextEncoding::Utf8;
  // What Enter and pasted lines get: the file's own style (the most
  // frequent of CR LF, LF and a CR on its own), the system's for a tie.
  LineEnd lineEnd = LineEnd::Lf;
  // More than one kind of line end (CR LF, LF, a CR on its own): each
  // line's end is shown, so that the odd ones can be seen.
  bool showLineEnds = false;
  bool colour = false;  // XML colouring
  bool operator==(const EditorLook&) const = default;
};

// Line ends of files without any (or with as many of each).
LineEnd NativeLineEnd();

// Above this size a file is shown without XML colouring: the colours take
// a byte of memory for each byte of the file, and colouring a file up to a
// line far down takes longer than opening it.
inline constexpr std::size_t kColourLimit = std::size_t{2} << 20;
bool ColoursXml(std::size_t fileSize);

EditorLook LookOf(std::string_view fileBytes);

}  // namespace mapio::ui
