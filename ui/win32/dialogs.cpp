#include "ui/win32/message_box.h"

#include <deque>
#include <string>

#include "ui/message_look.h"
#include "ui/win32/long_message.h"
#include "ui/win32/placement.h"

namespace mapio::win32 {

namespace {

struct SeamState {
  bool testing = false;
  std::deque<MessageButton> answers;
  std::vector<ShownBox> shown;
};

SeamState& Seam() {
  static SeamState state;
  return state;
}

MessageButton FromResult(int result) {
  switch (result) {
    case IDOK: return MessageButton::Ok;
    case IDYES: return MessageButton::Yes;
    case IDNO: return MessageButton::No;
    default: return MessageButton::Cancel;
  }
}

}  // namespace

UINT MessageBoxStyle(MessageKind kind) {
  const ui::MessageLook look = ui::LookOf(kind);
  UINT icon = MB_ICONINFORMATION;
  if (look.icon == ui::MessageIcon::Warning) icon = MB_ICONEXCLAMATION;
  if (look.icon == ui::MessageIcon::Question) icon = MB_ICONQUESTION;
  UINT buttons = MB_OK;
  if (look.buttonCount > 1) {
    buttons = look.buttons[0] == MessageButton::Yes ? MB_YESNO : MB_OKCANCEL;
  }
  return icon | buttons;
}

MessageButton ShowMessageBox(HWND owner, std::string_view text, std::string_view caption,
                             MessageKind kind) {
  const std::string shownCaption(caption.empty() ? kApplicationName : caption);
  SeamState& seam = Seam();
  if (seam.testing) {
    seam.shown.push_back({std::string(text), shownCaption, kind, owner});
    if (seam.answers.empty()) return ui::LookOf(kind).closed;
    const MessageButton answer = seam.answers.front();
    seam.answers.pop_front();
    return answer;
  }
  if (IsLongMessage(text)) return ShowLongMessage(owner, text, shownCaption, kind);
  return FromResult(
      CenteredMessageBox(owner, std::string(text), shownCaption, MessageBoxStyle(kind)));
}

void MessageBoxSeam::StartTesting() {
  Seam() = SeamState{};
  Seam().testing = true;
}

void MessageBoxSeam::SetNextAnswer(MessageButton answer) { Seam().answers.push_back(answer); }

const std::vector<ShownBox>& MessageBoxSeam::Shown() { return Seam().shown; }

}  // namespace mapio::win32
