#include "ui/win32/id_prompts.h"

#include <string>

#include "res/control_ids.h"
#include "ui/id_field.h"
#include "ui/win32/progress_window.h"

namespace mapio::win32 {

IdPromptBase::IdPromptBase(Dialogs& dialogs, int templateId, int idField, int fileNameField,
                           int counterField)
    : Dialog(templateId, dialogs),
      idField_(idField),
      fileNameField_(fileNameField),
      counterField_(counterField) {}

void IdPromptBase::SetPicture(std::string_view fileName, std::string_view counter) {
  fileName_ = fileName;
  counter_ = counter;
}

bool IdPromptBase::OnInitDialog() {
  SetItemText(fileNameField_, fileName_);
  SetItemText(counterField_, counter_);
  SetItemText(idField_, std::to_string(id_));
  FocusIdField();
  return false;  // the focus is set
}

void IdPromptBase::FocusIdField() {
  SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(idField_)), TRUE);
  SendMessageW(Item(idField_), EM_SETSEL, 0, -1);  // typing replaces the number
}

bool IdPromptBase::OnCommand(int id, int notification) {
  if (id == IDOK) {
    const std::optional<std::uint32_t> value = ui::ParseIdField(ItemText(idField_));
    if (!value) {
      dialogs().ShowMessage(hwnd(), ui::kIdFieldRefusal, kApplicationName, MessageKind::Warning);
      FocusIdField();
      return true;
    }
    id_ = *value;
    ReadBack();
    End(IDOK);
    return true;
  }
  return Dialog::OnCommand(id, notification);
}

CFileMap::CFileMap(Dialogs& dialogs)
    : IdPromptBase(dialogs, res::kFileMapDialog, res::kFileIdBox, res::kFileNameBox,
                   res::kFileCounterBox) {}

CKitMapDlg::CKitMapDlg(Dialogs& dialogs)
    : IdPromptBase(dialogs, res::kKitMapDialog, res::kKitIdBox, res::kKitNameBox,
                   res::kKitCounterBox) {}

bool CKitMapDlg::OnInitDialog() {
  CheckRadioButton(hwnd(), res::kHomeButton, res::kThirdButton,
                   res::kHomeButton + static_cast<int>(kitKind_));
  return IdPromptBase::OnInitDialog();
}

void CKitMapDlg::ReadBack() {
  for (int button = res::kHomeButton; button <= res::kThirdButton; ++button) {
    if (IsDlgButtonChecked(hwnd(), button) == BST_CHECKED) {
      kitKind_ = static_cast<KitKind>(button - res::kHomeButton);
    }
  }
}

std::optional<std::uint32_t> Win32Prompter::AskFileId(std::string_view fileName,
                                                      std::string_view counter) {
  ProgressWindow::Pause pause(progress_);
  CFileMap prompt(dialogs_);
  prompt.SetPicture(fileName, counter);
  if (prompt.RunModal(owner_) != IDOK) return std::nullopt;
  return prompt.id();
}

std::optional<KitAnswer> Win32Prompter::AskKitId(std::string_view fileName,
                                                 std::string_view counter) {
  ProgressWindow::Pause pause(progress_);
  CKitMapDlg prompt(dialogs_);
  prompt.SetPicture(fileName, counter);
  if (prompt.RunModal(owner_) != IDOK) return std::nullopt;
  return KitAnswer{prompt.id(), prompt.kitKind()};
}

}  // namespace mapio::win32
