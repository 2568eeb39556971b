#include "ui/win32/find_dialogs.h"

#include <string>

#include "res/control_ids.h"
#include "ui/win32/edit_dialog.h"

namespace mapio::win32 {

CFindDlg::CFindDlg(CXEditDlg& editor)
    : Dialog(res::kFindDialog, editor.dialogs()), editor_(editor) {}

bool CFindDlg::OnInitDialog() {
  const ui::FindRequest& last = editor_.LastFind();
  SetItemText(res::kFindTextBox, last.text);
  SendMessageW(Item(res::kFindTextBox), EM_SETSEL, 0, -1);
  CheckDlgButton(hwnd(), res::kMatchCaseBox, last.matchCase ? BST_CHECKED : BST_UNCHECKED);
  // At the foot of the editor, where it hides least of the match, which the
  // editor shows a third of the way down.
  RECT editor{};
  RECT own{};
  GetWindowRect(editor_.hwnd(), &editor);
  GetWindowRect(hwnd(), &own);
  SetWindowPos(hwnd(), nullptr, editor.right - (own.right - own.left) - 20,
               editor.bottom - (own.bottom - own.top) - 20, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

bool CFindDlg::OnCommand(int id, int notification) {
  if (id == res::kFindNextButton || id == res::kFindPreviousButton) {
    Find(id == res::kFindNextButton);
    return true;
  }
  return Dialog::OnCommand(id, notification);
}

void CFindDlg::Find(bool next) {
  ui::FindRequest& request = editor_.LastFind();
  request.text = ItemText(res::kFindTextBox);
  request.matchCase = IsDlgButtonChecked(hwnd(), res::kMatchCaseBox) == BST_CHECKED;
  request.direction = next ? ui::FindDirection::Next : ui::FindDirection::Previous;
  if (request.text.empty()) return;
  if (!editor_.Box().Find(request)) {
    dialogs().ShowMessage(hwnd(), ui::NotFoundText(request.text), ui::kFindCaption,
                          MessageKind::Information);
  }
}

CGoToLineDlg::CGoToLineDlg(CXEditDlg& editor)
    : Dialog(res::kGoToLineDialog, editor.dialogs()), editor_(editor) {}

bool CGoToLineDlg::OnInitDialog() {
  // The caret's line, ready to be typed over.
  SetItemText(res::kLineNumberBox, std::to_string(editor_.Box().CaretLine()));
  SendMessageW(Item(res::kLineNumberBox), EM_SETSEL, 0, -1);
  return true;
}

bool CGoToLineDlg::OnCommand(int id, int notification) {
  if (id != res::kGoToButton) return Dialog::OnCommand(id, notification);
  ui::ScintillaBox& box = editor_.Box();
  const std::optional<std::size_t> line =
      ui::ParseLineNumber(ItemText(res::kLineNumberBox), box.LineCount());
  if (!line) {
    dialogs().ShowMessage(hwnd(), ui::LineOutOfRangeText(box.LineCount()), ui::kGoToLineCaption,
                          MessageKind::Warning);
    return true;
  }
  box.GoToLine(*line);
  End(res::kGoToButton);
  return true;
}

}  // namespace mapio::win32
