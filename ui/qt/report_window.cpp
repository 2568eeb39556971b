#include "ui/qt/report_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace mapio::qt {

void ShowReportWindow(QWidget* owner, std::string_view text, std::string_view caption) {
  QDialog window(owner);
  window.setWindowTitle(
      QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  window.setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(&window);
  auto* view = new QPlainTextEdit(&window);
  view->setObjectName(QStringLiteral("report"));
  view->setReadOnly(true);
  view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view->setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  layout->addWidget(view);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  layout->addWidget(buttons);
  window.resize(640, 400);
  window.exec();
}

}  // namespace mapio::qt
