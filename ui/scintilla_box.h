// The editor's component, Scintilla: QScintilla in the Qt window,
// Scintilla's own control in the native one. Both take Scintilla's
// messages, so what the editor does with its component is written here
// once; a window only says how a message reaches it.
//
// The component holds the file's bytes as they are, a line index beside
// them, and draws only the lines in view. A text that is UTF-8 is shown as
// UTF-8 (a byte that is not UTF-8 would show as its value in a box); any
// other as one character a byte. NUL and other control bytes show as their
// names in a box, and a byte-order mark as "BOM".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/editor_find.h"
#include "ui/editor_text.h"

namespace mapio::ui {

class ScintillaBox {
 public:
  virtual ~ScintillaBox() = default;

  // Sends `message` to the component.
  virtual std::intptr_t Call(unsigned message, std::uintptr_t wParam = 0,
                             std::intptr_t lParam = 0) = 0;

  // An empty text with room for `size` bytes, which keeps a byte of colour
  // for each byte only when `coloured`. What is appended until EndLoading
  // cannot be undone.
  void NewText(std::size_t size, bool coloured);
  void Append(std::string_view bytes);
  // Edits from now on can be undone. Once the text is whole; again does
  // nothing.
  void EndLoading();
  // Every byte, in one piece; valid until the text next changes.
  std::string_view Bytes();
  // The component's document, to show in another box of the same kind.
  std::intptr_t Document();
  void ShowDocument(std::intptr_t document);

  // Code page, what Enter writes, the line ends shown or not, the font,
  // colours, line numbers.
  void SetLook(const EditorLook& look, std::string_view fontName, int points);

  TextRange Selection();
  // Selects `range`, its line a third of the way down the view.
  void Select(TextRange range);
  std::size_t LineCount();
  // The line (from 1) the caret is on.
  std::size_t CaretLine();
  // Line `line` (from 1) without its line end; nullopt past the last.
  std::optional<TextRange> Line(std::size_t line);
  // The report's jump: line `line` selected (nothing for 0 or past the end).
  void SelectLine(std::size_t line);
  // Go to line: the caret at the start of line `line`.
  void GoToLine(std::size_t line);
  // Selects the match of `request` from the selection on; false when there
  // is none.
  bool Find(const FindRequest& request);

 protected:
  // Colours the text as XML from now on.
  virtual void UseXmlLexer() = 0;

 private:
  EditorLook look_;
  bool loading_ = false;
  std::intptr_t eventMask_ = 0;
};

}  // namespace mapio::ui
