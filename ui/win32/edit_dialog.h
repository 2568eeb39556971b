// The mapping editor's window, CXEditDlg ("Edit XML file"), on a rich-edit
// box that takes the whole file, and the EditorView that runs it.
#pragma once

#include <optional>
#include <string>

#include "ui/mapping_editor.h"
#include "ui/win32/dialog.h"

namespace mapio::win32 {

// Loads the library of the "RichEdit20W" class once.
void LoadRichEdit();

class CXEditDlg final : public Dialog {
 public:
  explicit CXEditDlg(ui::TextPieces text);
  // The box's text after a confirmed save, UTF-8 with "\n" between lines.
  std::string& text() { return text_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;

 private:
  ui::TextPieces pieces_;
  std::string text_;
};

// The box's whole text, and putting text into it, as UTF-8 with "\n"
// between lines. Plain text both ways: a file that starts like RTF is not
// taken as RTF.
std::string RichEditText(HWND box);
void SetRichEditText(HWND box, const std::string& text);
// Lets each piece go once the box has it.
void SetRichEditPieces(HWND box, ui::TextPieces& pieces);

class Win32EditorView final : public ui::EditorView {
 public:
  explicit Win32EditorView(HWND owner) : owner_(owner) {}
  std::unique_ptr<ui::EditedText> Edit(ui::TextPieces text) override;

 private:
  HWND owner_;
};

}  // namespace mapio::win32
