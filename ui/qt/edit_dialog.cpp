#include "ui/qt/edit_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>

#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "ui/qt/message_box.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {
CXEditDlg::CXEditDlg(QWidget* owner) : QDialog(owner) {
  built_ = BuildDialog(*this, res::EditXmlTemplate());
  textBox_ = built_.Get<QPlainTextEdit>(res::kXmlTextBox);
  textBox_->setUndoRedoEnabled(false);
  connect(built_.Get<QPushButton>(res::kSaveButton), &QPushButton::clicked, this,
          &CXEditDlg::OnSave);
  connect(built_.Get<QPushButton>(res::kEditorCloseButton), &QPushButton::clicked, this,
          &QDialog::reject);
}

void CXEditDlg::SetEditorText(const QString& text) {
  textBox_->setPlainText(text);
  // Edits made after opening can be undone; loading the file cannot.
  textBox_->setUndoRedoEnabled(true);
}

void CXEditDlg::OnSave() {
  const MessageButton answer = MessageBox::Show(this, ui::kConfirmSaveText, ui::kConfirmSaveCaption,
                                                MessageKind::Confirmation);
  if (answer != MessageButton::Ok) return;
  editorText_ = WholeText(*textBox_);
  done(QDialog::Accepted);
}

std::string WholeText(const QPlainTextEdit& box) {
  // Line by line, so that a large file is not held twice more in UTF-16.
  const QTextDocument& document = *box.document();
  std::string text;
  text.reserve(static_cast<std::size_t>(document.characterCount()));
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += '\n';
    text += ToUtf8(block.text());
  }
  return text;
}

std::optional<std::string> QtEditorView::Edit(std::string text) {
  // Each copy of a large file is let go as soon as the next one exists.
  auto dialog = std::make_unique<CXEditDlg>(owner_);
  {
    QString shown = ToQString(text);
    text = std::string();
    dialog->SetEditorText(shown);
  }
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return dialog->TakeEditorText();
}

}  // namespace mapio::qt
