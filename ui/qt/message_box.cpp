#include "ui/qt/message_box.h"

#include <QMessageBox>

#include <deque>

#include "ui/qt/long_message.h"

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

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

MessageButton FromStandard(int button) {
  switch (button) {
    case QMessageBox::Ok: return MessageButton::Ok;
    case QMessageBox::Yes: return MessageButton::Yes;
    case QMessageBox::No: return MessageButton::No;
    default: return MessageButton::Cancel;
  }
}

void SetKind(QMessageBox& box, MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      box.setIcon(QMessageBox::Warning);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageKind::Information:
      box.setIcon(QMessageBox::Information);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageKind::Confirmation:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      break;
    case MessageKind::Question:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      break;
  }
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
