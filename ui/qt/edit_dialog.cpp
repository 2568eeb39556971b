#include "ui/qt/edit_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "res/dialog_template.h"
#include "ui/qt/message_box.h"

namespace mapio::qt {
namespace {
constexpr int kSave = 1;
constexpr int kClose = 2;
constexpr int kTextBox = 1028;
}  // namespace

CXEditDlg::CXEditDlg(QWidget* owner) : QDialog(owner) {
  built_ = BuildDialog(*this, res::EditXmlTemplate());
  textBox_ = built_.Get<QPlainTextEdit>(kTextBox);
  textBox_->setUndoRedoEnabled(false);
  connect(built_.Get<QPushButton>(kSave), &QPushButton::clicked, this, &CXEditDlg::OnSave);
  connect(built_.Get<QPushButton>(kClose), &QPushButton::clicked, this, &QDialog::reject);
}

void CXEditDlg::SetEditorText(const QString& text) {
  textBox_->setPlainText(text);
  // Edits made after opening can be undone; loading the file cannot.
  textBox_->setUndoRedoEnabled(true);
}

void CXEditDlg::OnSave() {
  const MessageButton answer =
      MessageBox::Show(this, ui::kConfirmSaveText, ui::kConfirmSaveCaption,
                       MessageKind::Confirmation);
  if (answer != MessageButton::Ok) return;
  editorText_ = WholeText(*textBox_);
  done(QDialog::Accepted);
}

QString WholeText(const QPlainTextEdit& box) {
  // toPlainText() would turn no-break spaces into spaces and drop other
  // characters; the raw text keeps them all.
  QString text = box.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

std::optional<std::string> QtEditorView::Edit(const std::string& text) {
  CXEditDlg dialog(owner_);
  dialog.SetEditorText(QString::fromStdString(text));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.EditorText().toStdString();
}

}  // namespace mapio::qt
