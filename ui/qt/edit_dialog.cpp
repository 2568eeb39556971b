#include "ui/qt/edit_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "ui/qt/message_box.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {
namespace {

// Pieces of about this many bytes go into the box one after another, so
// that the file is never held whole in UTF-16 beside the box's own copy.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// The end of the piece starting at `from`: after a line break where there
// is one, else before a character's first byte.
std::size_t PieceEnd(std::string_view text, std::size_t from) {
  if (text.size() - from <= kPieceBytes) return text.size();
  const std::size_t limit = from + kPieceBytes;
  const std::size_t lineEnd = text.rfind('\n', limit - 1);
  if (lineEnd != std::string_view::npos && lineEnd >= from) return lineEnd + 1;
  std::size_t end = limit;
  while (end > from + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return end;
}

}  // namespace

CXEditDlg::CXEditDlg(QWidget* owner) : QDialog(owner) {
  built_ = BuildDialog(*this, res::EditXmlTemplate());
  textBox_ = built_.Get<QPlainTextEdit>(res::kXmlTextBox);
  textBox_->setUndoRedoEnabled(false);
  connect(built_.Get<QPushButton>(res::kSaveButton), &QPushButton::clicked, this,
          &CXEditDlg::OnSave);
  connect(built_.Get<QPushButton>(res::kEditorCloseButton), &QPushButton::clicked, this,
          &QDialog::reject);
}

void CXEditDlg::SetEditorText(std::string text) {
  pendingText_ = std::move(text);
  hasPendingText_ = true;
  if (isVisible()) PlaceText();
}

void CXEditDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only now: the box lays out every line again when its width changes,
  // which the first show does.
  if (hasPendingText_) PlaceText();
}

void CXEditDlg::PlaceText() {
  const std::string text = std::move(pendingText_);
  pendingText_ = std::string();
  hasPendingText_ = false;
  QTextDocument& document = *textBox_->document();
  textBox_->setUndoRedoEnabled(false);
  document.clear();
  {
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (std::size_t from = 0; from < text.size();) {
      const std::size_t end = PieceEnd(text, from);
      cursor.insertText(ToQString(std::string_view(text).substr(from, end - from)));
      from = end;
    }
    cursor.endEditBlock();
  }
  textBox_->setTextCursor(QTextCursor(&document));  // at the start, shown from the top
  document.setModified(false);
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
  auto dialog = std::make_unique<CXEditDlg>(owner_);
  dialog->SetEditorText(std::move(text));
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return dialog->TakeEditorText();
}

}  // namespace mapio::qt
