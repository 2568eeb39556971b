#include "ui/qt/edit_dialog.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <Qsci/qsciscintilla.h>

#include <climits>

#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "ui/qt/find_dialogs.h"

namespace mapio::qt {
namespace {

// QScintilla passes Scintilla's word-sized values as long.
static_assert(sizeof(long) == sizeof(std::intptr_t));

// The text of one window, which keeps it between its showings.
class QtEditorText final : public ui::EditorText {
 public:
  explicit QtEditorText(std::unique_ptr<CXEditDlg> dialog) : dialog_(std::move(dialog)) {}
  void Append(std::string_view bytes) override { dialog_->Box().Append(bytes); }
  std::string_view Bytes() override { return dialog_->Box().Bytes(); }
  CXEditDlg& Dialog() { return *dialog_; }

 private:
  std::unique_ptr<CXEditDlg> dialog_;
};

}  // namespace

std::intptr_t QtScintillaBox::Call(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  return box_.SendScintilla(message, static_cast<unsigned long>(wParam), static_cast<long>(lParam));
}

void QtScintillaBox::UseXmlLexer() {
  box_.SendScintilla(QsciScintillaBase::SCI_SETLEXERLANGUAGE, 0UL, "xml");
}

CXEditDlg::CXEditDlg(Dialogs& dialogs, QWidget* owner)
    : QDialog(owner),
      dialogs_(dialogs),
      built_(BuildDialog(*this, res::EditXmlTemplate())),
      textBox_(built_.Get<QsciScintilla>(res::kXmlTextBox)),
      box_(*textBox_) {
  connect(built_.Get<QPushButton>(res::kSaveButton), &QPushButton::clicked, this,
          &CXEditDlg::OnSave);
  connect(built_.Get<QPushButton>(res::kEditorCloseButton), &QPushButton::clicked, this,
          &QDialog::reject);
  const auto shortcut = [this](const QKeySequence& keys, auto slot) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
  };
  // The same keys on every system (Qt's own find keys take Ctrl+G on some).
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { OpenFind(); });
  shortcut(QKeySequence(Qt::Key_F3), [this] { FindAgain(ui::FindDirection::Next); });
  shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3),
           [this] { FindAgain(ui::FindDirection::Previous); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_G), [this] { OpenGoToLine(); });
  textBox_->installEventFilter(this);
}

// The text box takes Esc for itself; in a dialog it closes the window.
bool CXEditDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == textBox_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
    reject();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CXEditDlg::SetLook(const ui::EditorLook& look, std::size_t line) {
  const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  box_.SetLook(look, font.family().toStdString(), font.pointSize() > 0 ? font.pointSize() : 10);
  line_ = line;
}

void CXEditDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only now does the box know how many lines it shows.
  if (line_ == 0) return;
  box_.SelectLine(std::exchange(line_, 0));
  textBox_->setFocus();
}

void CXEditDlg::OpenFind() {
  CFindDlg find(*this);
  find.exec();
  TakeKeysBack();
}

// The keys come back to the text, wherever the system put them.
void CXEditDlg::TakeKeysBack() {
  activateWindow();
  textBox_->setFocus();
}

void CXEditDlg::FindAgain(ui::FindDirection direction) {
  if (lastFind_.text.empty()) return OpenFind();
  lastFind_.direction = direction;
  if (!box_.Find(lastFind_)) {
    dialogs_.ShowMessage(this, ui::NotFoundText(lastFind_.text), ui::kFindCaption,
                         MessageKind::Information);
  }
}

void CXEditDlg::OpenGoToLine() {
  CGoToLineDlg goTo(*this);
  goTo.exec();
  TakeKeysBack();
}

void CXEditDlg::OnSave() {
  const MessageButton answer = dialogs_.ShowMessage(
      this, ui::kConfirmSaveText, ui::kConfirmSaveCaption, MessageKind::Confirmation);
  if (answer != MessageButton::Ok) return;
  // The box keeps the text to save: once closed, nothing changes it.
  done(QDialog::Accepted);
}

std::unique_ptr<ui::EditorText> QtEditorView::NewText(std::size_t size, bool coloured) {
  auto dialog = std::make_unique<CXEditDlg>(dialogs_, owner_);
  dialog->Box().NewText(size, coloured);
  return std::make_unique<QtEditorText>(std::move(dialog));
}

bool QtEditorView::Edit(ui::EditorText& text, const ui::EditorLook& look, std::size_t line) {
  CXEditDlg& dialog = static_cast<QtEditorText&>(text).Dialog();
  dialog.Box().EndLoading();
  dialog.SetLook(look, line);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace mapio::qt
