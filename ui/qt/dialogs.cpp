#include "ui/qt/message_box.h"

#include <QMessageBox>

#include <deque>

#include "ui/message_look.h"
#include "ui/qt/long_message.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {
namespace {

struct Seam {
  std::deque<MessageButton> answers;
  std::vector<MessageBox::Shown> shown;
};

Seam& TheSeam() {
  static Seam seam;
  return seam;
}

MessageButton FromStandard(int button) {
  switch (button) {
    case QMessageBox::Ok: return MessageButton::Ok;
    case QMessageBox::Yes: return MessageButton::Yes;
    case QMessageBox::No: return MessageButton::No;
    default: return MessageButton::Cancel;
  }
}

QMessageBox::StandardButton ToStandard(MessageButton button) {
  switch (button) {
    case MessageButton::Ok: return QMessageBox::Ok;
    case MessageButton::Cancel: return QMessageBox::Cancel;
    case MessageButton::Yes: return QMessageBox::Yes;
    case MessageButton::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

void SetKind(QMessageBox& box, MessageKind kind) {
  const ui::MessageLook look = ui::LookOf(kind);
  switch (look.icon) {
    case ui::MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case ui::MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case ui::MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
  }
  QMessageBox::StandardButtons buttons;
  for (int i = 0; i < look.buttonCount; ++i) buttons |= ToStandard(look.buttons[i]);
  box.setStandardButtons(buttons);
  if (look.buttonCount > 1) box.setDefaultButton(ToStandard(look.buttons[0]));
}

}  // namespace

MessageButton MessageBox::Show(QWidget* owner, std::string_view text, std::string_view caption,
                               MessageKind kind) {
  Seam& seam = TheSeam();
  const QString title = ToQString(caption.empty() ? kApplicationName : caption);
  seam.shown.push_back({ToQString(text), title, kind, owner});
  if (!seam.answers.empty()) {
    const MessageButton answer = seam.answers.front();
    seam.answers.pop_front();
    return answer;
  }
  if (IsLongMessage(seam.shown.back().text)) {
    return ShowLongMessage(owner, seam.shown.back().text, title, kind);
  }
  QMessageBox box(owner);
  box.setWindowTitle(title);
  box.setText(seam.shown.back().text);
  box.setTextFormat(Qt::PlainText);
  SetKind(box, kind);
  return FromStandard(box.exec());
}

void MessageBox::setNextAnswer(MessageButton answer) { TheSeam().answers.push_back(answer); }

const std::vector<MessageBox::Shown>& MessageBox::shown() { return TheSeam().shown; }

void MessageBox::resetForTesting() {
  TheSeam().answers.clear();
  TheSeam().shown.clear();
}

}  // namespace mapio::qt
