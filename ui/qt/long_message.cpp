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
#include "ui/message_look.h"

namespace mapio::qt {

namespace {

QStyle::StandardPixmap IconOf(ui::MessageIcon icon) {
  switch (icon) {
    case ui::MessageIcon::Warning: return QStyle::SP_MessageBoxWarning;
    case ui::MessageIcon::Information: return QStyle::SP_MessageBoxInformation;
    case ui::MessageIcon::Question: return QStyle::SP_MessageBoxQuestion;
  }
  return QStyle::SP_MessageBoxInformation;
}

QDialogButtonBox::StandardButton ToStandard(MessageButton button) {
  switch (button) {
    case MessageButton::Ok: return QDialogButtonBox::Ok;
    case MessageButton::Cancel: return QDialogButtonBox::Cancel;
    case MessageButton::Yes: return QDialogButtonBox::Yes;
    case MessageButton::No: return QDialogButtonBox::No;
  }
  return QDialogButtonBox::Ok;
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
  const ui::MessageLook look = ui::LookOf(kind);
  QDialog box(owner);
  box.setWindowTitle(caption);
  box.setObjectName(QStringLiteral("longMessage"));
  auto* icon = new QLabel(&box);
  const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
  icon->setPixmap(box.style()->standardIcon(IconOf(look.icon), nullptr, &box).pixmap(side, side));
  icon->setAlignment(Qt::AlignTop);
  auto* view = new QPlainTextEdit(&box);
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setPlainText(text);
  view->setObjectName(QStringLiteral("text"));
  QDialogButtonBox::StandardButtons shown;
  for (int i = 0; i < look.buttonCount; ++i) shown |= ToStandard(look.buttons[i]);
  auto* buttons = new QDialogButtonBox(shown, &box);
  QPushButton* defaultButton = buttons->button(ToStandard(look.buttons[0]));
  defaultButton->setDefault(true);
  QDialogButtonBox::StandardButton answer = ToStandard(look.closed);
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
  defaultButton->setFocus();
  box.exec();
  return ToAnswer(answer);
}

}  // namespace mapio::qt
