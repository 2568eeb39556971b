#include "ui/qt/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "ui/message_look.h"
#include "ui/qt/long_message.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {
namespace {

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

MessageButton QtDialogs::ShowMessage(QWidget* owner, std::string_view text,
                                     std::string_view caption, MessageKind kind) {
  const QString shown = ToQString(text);
  const QString title = ToQString(caption);
  if (IsLongMessage(shown)) return ShowLongMessage(owner, shown, title, kind);
  QMessageBox box(owner);
  box.setWindowTitle(title);
  box.setText(shown);
  box.setTextFormat(Qt::PlainText);
  SetKind(box, kind);
  return FromStandard(box.exec());
}

std::string QtDialogs::BrowseForFolder(QWidget* owner) {
  return ToUtf8(QFileDialog::getExistingDirectory(owner, ToQString(ui::kBrowseTitle)));
}

}  // namespace mapio::qt
