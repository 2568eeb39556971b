#include "ui/qt/long_message.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/long_message_rule.h"

namespace mapio::qt {

namespace {

struct Look {
  QStyle::StandardPixmap icon;
  QDialogButtonBox::StandardButtons buttons;
  QDialogButtonBox::StandardButton defaultButton;
};

Look LookOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return {QStyle::SP_MessageBoxWarning, QDialogButtonBox::Ok, QDialogButtonBox::Ok};
    case MessageKind::Information:
      return {QStyle::SP_MessageBoxInformation, QDialogButtonBox::Ok, QDialogButtonBox::Ok};
    case MessageKind::Confirmation:
      return {QStyle::SP_MessageBoxQuestion, QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
              QDialogButtonBox::Ok};
    case MessageKind::Question:
      return {QStyle::SP_MessageBoxQuestion, QDialogButtonBox::Yes | QDialogButtonBox::No,
              QDialogButtonBox::Yes};
  }
  return {QStyle::SP_MessageBoxInformation, QDialogButtonBox::Ok, QDialogButtonBox::Ok};
}

MessageButton ToAnswer(QDialogButtonBox::StandardButton button) {
  switch (button) {
    case QDialogButtonBox::Ok: return MessageButton::Ok;
    case QDialogButtonBox::Yes: return MessageButton::Yes;
    case QDialogButtonBox::No: return MessageButton::No;
    default: return MessageButton::Cancel;
  }
}

}  // namespace

bool IsLongMessage(const QString& text) {
  return ui::IsLongMessage(static_cast<std::size_t>(text.size()),
                           static_cast<std::size_t>(text.count(QLatin1Char('\n'))));
}

MessageButton ShowLongMessage(QWidget* owner, const QString& text, const QString& caption,
                              MessageKind kind) {
  const Look look = LookOf(kind);
  QDialog box(owner);
  box.setWindowTitle(caption);
  box.setObjectName(QStringLiteral("longMessage"));
  auto* icon = new QLabel(&box);
  const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
  icon->setPixmap(box.style()->standardIcon(look.icon, nullptr, &box).pixmap(side, side));
  icon->setAlignment(Qt::AlignTop);
  auto* view = new QPlainTextEdit(&box);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setPlainText(text);
  view->setObjectName(QStringLiteral("text"));
  auto* buttons = new QDialogButtonBox(look.buttons, &box);
  buttons->button(look.defaultButton)->setDefault(true);
  QDialogButtonBox::StandardButton answer =
      look.buttons.testFlag(QDialogButtonBox::Cancel) ? QDialogButtonBox::Cancel
      : look.buttons.testFlag(QDialogButtonBox::No)   ? QDialogButtonBox::No
                                                      : QDialogButtonBox::Ok;
  QObject::connect(buttons, &QDialogButtonBox::clicked, &box, [&](QAbstractButton* button) {
    answer = buttons->standardButton(button);
    box.accept();
  });
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addWidget(view, 1);
  auto* layout = new QVBoxLayout(&box);
  layout->addLayout(row, 1);
  layout->addWidget(buttons);
  box.resize(520, 420);
  buttons->button(look.defaultButton)->setFocus();
  box.exec();
  return ToAnswer(answer);
}

}  // namespace mapio::qt
