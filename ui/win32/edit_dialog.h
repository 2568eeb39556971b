// The mapping editor's window, CXEditDlg ("Edit XML file"), on a rich-edit
// box that takes the whole file, and the EditorView that runs it.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <optional>
#include <string>

#include "ui/mapping_editor.h"
#include "ui/win32/dialog.h"

namespace mapio::win32 {

// Loads the library of the "RichEdit20W" class once.
void LoadRichEdit();

class CXEditDlg final : public Dialog {
 public:
  // With `line` (from 1; 0 for none) selected and scrolled into view.
  explicit CXEditDlg(ui::TextPieces text, std::size_t line = 0);
  // The box's text after a confirmed save, UTF-8 with "\n" between lines.
  std::string& text() { return text_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;

 private:
  ui::TextPieces pieces_;
  std::size_t line_;
  std::string text_;
};

// The box's whole text, and putting text into it, as UTF-8 with "\n"
// between lines. Plain text both ways: a file that starts like RTF is not
// taken as RTF.
std::string RichEditText(HWND box);
void SetRichEditText(HWND box, const std::string& text);
// Lets each piece go once the box has it.
void SetRichEditPieces(HWND box, ui::TextPieces& pieces);

// Where line `line` (from 1) of `pieces` starts and ends in the box, in
// UTF-16 units (the box keeps one character for each line break); nullopt
// past the last line.
std::optional<CHARRANGE> LineInBox(const ui::TextPieces& pieces, std::size_t line);

class Win32EditorView final : public ui::EditorView {
 public:
  explicit Win32EditorView(HWND owner) : owner_(owner) {}
  std::unique_ptr<ui::EditedText> Edit(ui::TextPieces text, std::size_t line) override;

 private:
  HWND owner_;
};

}  // namespace mapio::win32
