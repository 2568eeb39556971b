// The mapping editor's window, CXEditDlg ("Edit XML file"), on Scintilla's
// control, and the EditorView that runs it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "ui/editor_find.h"
#include "ui/mapping_editor.h"
#include "ui/win32/dialog.h"
#include "ui/win32/scintilla_control.h"

namespace mapio::win32 {

class CXEditDlg final : public Dialog {
 public:
  // Shows `document` (a Scintilla document, which the window shares) in
  // `look`, with line `line` (from 1; 0 for none) selected and in view.
  CXEditDlg(Dialogs& dialogs, std::intptr_t document, const ui::EditorLook& look,
            std::size_t line = 0);

  // Once the window is up.
  ui::ScintillaBox& Box() { return *box_; }
  // Ctrl+F, F3 and Shift+F3, Ctrl+G.
  void OpenFind();
  void FindAgain(ui::FindDirection direction);
  void OpenGoToLine();
  // What Find next and Find previous look for; the last one asked.
  ui::FindRequest& LastFind() { return lastFind_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  static LRESULT CALLBACK KeysHook(int code, WPARAM wParam, LPARAM lParam);
  bool OnKey(WPARAM key);

  std::intptr_t document_;
  ui::EditorLook look_;
  std::size_t line_;
  std::optional<Win32ScintillaBox> box_;
  ui::FindRequest lastFind_;
  HHOOK keysHook_ = nullptr;
};

class Win32EditorView final : public ui::EditorView {
 public:
  Win32EditorView(Dialogs& dialogs, HWND owner) : dialogs_(dialogs), owner_(owner) {}
  std::unique_ptr<ui::EditorText> NewText(std::size_t size, bool coloured) override;
  bool Edit(ui::EditorText& text, const ui::EditorLook& look, std::size_t line) override;

 private:
  Dialogs& dialogs_;
  HWND owner_;
};

}  // namespace mapio::win32
