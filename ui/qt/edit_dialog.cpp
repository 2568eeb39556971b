#include "ui/qt/edit_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "ui/qt/message_box.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {
namespace {

// The box takes and gives its text in pieces of about this many bytes, so
// that a large file is never held whole in another form beside the box's
// own copy.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// Saving holds a piece in UTF-16, in UTF-8 and encoded for the file at
// once: smaller pieces, then, which cost no more.
constexpr qsizetype kSavePieceChars = qsizetype{1} << 18;

// The end of the part of `text` starting at `from` that goes into the box
// at once: after a line break where there is one, else before a
// character's first byte.
std::size_t PartEnd(std::string_view text, std::size_t from) {
  if (text.size() - from <= kPieceBytes) return text.size();
  const std::size_t limit = from + kPieceBytes;
  const std::size_t lineEnd = text.rfind('\n', limit - 1);
  if (lineEnd != std::string_view::npos && lineEnd >= from) return lineEnd + 1;
  std::size_t end = limit;
  while (end > from + 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return end;
}

// The text of a confirmed save, read from the (closed) window's box.
class BoxText final : public ui::EditedText {
 public:
  explicit BoxText(std::unique_ptr<CXEditDlg> dialog) : dialog_(std::move(dialog)) {}
  bool ForEachPiece(const std::function<bool(std::string_view)>& take) const override {
    return ForEachTextPiece(*dialog_->TextBox(), take);
  }

 private:
  std::unique_ptr<CXEditDlg> dialog_;
};

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

void CXEditDlg::SetEditorText(ui::TextPieces text) {
  pendingText_ = std::move(text);
  hasPendingText_ = true;
  if (isVisible()) PlaceText();
}

void CXEditDlg::SelectLine(std::size_t line) {
  line_ = line;
  if (isVisible() && !hasPendingText_) PlaceSelection();
}

void CXEditDlg::PlaceSelection() {
  const QTextBlock block = textBox_->document()->findBlockByNumber(static_cast<int>(line_) - 1);
  if (line_ == 0 || !block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  textBox_->setTextCursor(cursor);
  textBox_->centerCursor();
}

void CXEditDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only now: the box lays out every line again when its width changes,
  // which the first show does.
  if (hasPendingText_) PlaceText();
}

void CXEditDlg::PlaceText() {
  ui::TextPieces pieces = std::exchange(pendingText_, {});
  hasPendingText_ = false;
  QTextDocument& document = *textBox_->document();
  textBox_->setUndoRedoEnabled(false);
  document.clear();
  {
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (std::string& piece : pieces) {
      for (std::size_t from = 0; from < piece.size();) {
        const std::size_t end = PartEnd(piece, from);
        cursor.insertText(ToQString(std::string_view(piece).substr(from, end - from)));
        from = end;
      }
      std::string().swap(piece);
    }
    cursor.endEditBlock();
  }
  textBox_->setTextCursor(QTextCursor(&document));  // at the start, shown from the top
  document.setModified(false);
  // Edits made after opening can be undone; loading the file cannot.
  textBox_->setUndoRedoEnabled(true);
  PlaceSelection();
}

void CXEditDlg::OnSave() {
  const MessageButton answer = MessageBox::Show(this, ui::kConfirmSaveText, ui::kConfirmSaveCaption,
                                                MessageKind::Confirmation);
  if (answer != MessageButton::Ok) return;
  // The box keeps the text to save: once closed, nothing changes it.
  done(QDialog::Accepted);
}

bool ForEachTextPiece(const QPlainTextEdit& box,
                      const std::function<bool(std::string_view)>& take) {
  // Block by block, every character as it is (toPlainText() would turn
  // no-break spaces into spaces), into UTF-8 a piece at a time.
  const QTextDocument& document = *box.document();
  QStringEncoder toUtf8(QStringEncoder::Utf8);
  QString lines;
  std::string piece;
  for (QTextBlock block = document.begin(); block.isValid();) {
    lines += block.text();
    block = block.next();
    if (block.isValid()) lines += QLatin1Char('\n');
    if (lines.size() < kSavePieceChars && block.isValid()) continue;
    piece.resize(static_cast<std::size_t>(toUtf8.requiredSpace(lines.size())));
    const char* end = toUtf8.appendToBuffer(piece.data(), lines);
    piece.resize(static_cast<std::size_t>(end - piece.data()));
    lines.truncate(0);  // keeps its room
    if (!take(piece)) return false;
  }
  return true;
}

std::string WholeText(const QPlainTextEdit& box) {
  std::string text;
  ForEachTextPiece(box, [&](std::string_view piece) {
    text += piece;
    return true;
  });
  return text;
}

std::unique_ptr<ui::EditedText> QtEditorView::Edit(ui::TextPieces text, std::size_t line) {
  auto dialog = std::make_unique<CXEditDlg>(owner_);
  dialog->SetEditorText(std::move(text));
  dialog->SelectLine(line);
  if (dialog->exec() != QDialog::Accepted) return nullptr;
  return std::make_unique<BoxText>(std::move(dialog));
}

}  // namespace mapio::qt
