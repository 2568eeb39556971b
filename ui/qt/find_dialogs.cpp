#include "ui/qt/find_dialogs.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "ui/qt/edit_dialog.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

CFindDlg::CFindDlg(CXEditDlg& editor)
    : QDialog(&editor), editor_(editor), built_(BuildDialog(*this, res::FindTemplate())) {
  const ui::FindRequest& last = editor_.LastFind();
  built_.Get<QLineEdit>(res::kFindTextBox)->setText(ToQString(last.text));
  built_.Get<QLineEdit>(res::kFindTextBox)->selectAll();
  built_.Get<QCheckBox>(res::kMatchCaseBox)->setChecked(last.matchCase);
  connect(built_.Get<QPushButton>(res::kFindNextButton), &QPushButton::clicked, this,
          [this] { Find(true); });
  connect(built_.Get<QPushButton>(res::kFindPreviousButton), &QPushButton::clicked, this,
          [this] { Find(false); });
  connect(built_.Get<QPushButton>(res::kFindCloseButton), &QPushButton::clicked, this,
          &QDialog::reject);
}

// At the foot of the editor, where it hides least of the match, which the
// editor shows a third of the way down.
void CFindDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QRect frame = editor_.frameGeometry();
  move(frame.right() - width() - 20, frame.bottom() - frameGeometry().height() - 20);
}

void CFindDlg::Find(bool next) {
  ui::FindRequest& request = editor_.LastFind();
  request.text = ToUtf8(built_.Get<QLineEdit>(res::kFindTextBox)->text());
  request.matchCase = built_.Get<QCheckBox>(res::kMatchCaseBox)->isChecked();
  request.direction = next ? ui::FindDirection::Next : ui::FindDirection::Previous;
  if (request.text.empty()) return;
  if (!editor_.Box().Find(request)) {
    editor_.dialogs().ShowMessage(this, ui::NotFoundText(request.text), ui::kFindCaption,
                                  MessageKind::Information);
  }
}

CGoToLineDlg::CGoToLineDlg(CXEditDlg& editor)
    : QDialog(&editor), editor_(editor), built_(BuildDialog(*this, res::GoToLineTemplate())) {
  // The caret's line, ready to be typed over.
  auto* box = built_.Get<QLineEdit>(res::kLineNumberBox);
  box->setText(QString::number(editor_.Box().CaretLine()));
  box->selectAll();
  connect(built_.Get<QPushButton>(res::kGoToButton), &QPushButton::clicked, this,
          &CGoToLineDlg::GoTo);
  connect(built_.Get<QPushButton>(res::kGoToCancelButton), &QPushButton::clicked, this,
          &QDialog::reject);
}

void CGoToLineDlg::GoTo() {
  ui::ScintillaBox& box = editor_.Box();
  const std::optional<std::size_t> line = ui::ParseLineNumber(
      ToUtf8(built_.Get<QLineEdit>(res::kLineNumberBox)->text()), box.LineCount());
  if (!line) {
    editor_.dialogs().ShowMessage(this, ui::LineOutOfRangeText(box.LineCount()),
                                  ui::kGoToLineCaption, MessageKind::Warning);
    return;
  }
  box.GoToLine(*line);
  accept();
}

}  // namespace mapio::qt
