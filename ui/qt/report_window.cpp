#include "ui/qt/report_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mapio::qt {

ui::ReportChoice ShowReportWindow(QWidget* owner, std::string_view text, std::string_view caption,
                                  const ui::ReportButtons& buttons) {
  QDialog window(owner);
  window.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
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
  auto* box = new QDialogButtonBox(QDialogButtonBox::Close, &window);
  QObject::connect(box, &QDialogButtonBox::rejected, &window, &QDialog::reject);
  ui::ReportChoice choice = ui::ReportChoice::Close;
  auto offer = [&](const std::string& label, ui::ReportChoice what, const char* name) {
    if (label.empty()) return;
    QPushButton* button =
        box->addButton(QString::fromStdString(label), QDialogButtonBox::ActionRole);
    button->setObjectName(QString::fromLatin1(name));
    QObject::connect(button, &QPushButton::clicked, &window, [&window, &choice, what] {
      choice = what;
      window.accept();
    });
  };
  offer(buttons.addNew, ui::ReportChoice::AddNew, "addNew");
  offer(buttons.removeMissing, ui::ReportChoice::RemoveMissing, "removeMissing");
  layout->addWidget(box);
  window.resize(640, 400);
  window.exec();
  return choice;
}

}  // namespace mapio::qt
