#include "ui/qt/id_prompts.h"

#include <QButtonGroup>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/platform.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "ui/id_field.h"
#include "ui/qt/picture_reader.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

namespace {

constexpr int kPreviewMargin = 7;  // dialog units, as the template's margins

}  // namespace

IdPromptBase::IdPromptBase(Dialogs& dialogs, QWidget* owner,
                           const res::DialogTemplate& dialogTemplate, int idField,
                           int fileNameField, int counterField)
    : QDialog(owner), dialogs_(dialogs) {
  built_ = BuildDialog(*this, dialogTemplate);
  idField_ = built_.Get<QLineEdit>(idField);
  fileNameField_ = built_.Get<QLineEdit>(fileNameField);
  counterField_ = built_.Get<QLineEdit>(counterField);
  idField_->setText(QStringLiteral("0"));
  templateSize_ = size();
  connect(built_.Get<QPushButton>(res::kAddButton), &QPushButton::clicked, this,
          &IdPromptBase::accept);
  connect(built_.Get<QPushButton>(res::kDoNotAddButton), &QPushButton::clicked, this,
          &IdPromptBase::reject);
}

void IdPromptBase::SetPicture(const QString& fileName, const QString& counter) {
  fileNameField_->setText(fileName);
  fileNameField_->setCursorPosition(0);
  counterField_->setText(counter);
  counterField_->setCursorPosition(0);
}

void IdPromptBase::SetPreview(const QString& picturePath) {
  const int margin = built_.units.ToPixelsX(kPreviewMargin);
  const int side = templateSize_.height() - 2 * built_.units.ToPixelsY(kPreviewMargin);
  const QImage image = ReadScaled(picturePath, QSize(side, side));
  if (image.isNull()) return;
  if (!preview_) {
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
  }
  preview_->setPixmap(QPixmap::fromImage(image));
  preview_->setGeometry(templateSize_.width(), built_.units.ToPixelsY(kPreviewMargin), side, side);
  preview_->show();
  setFixedSize(templateSize_.width() + side + margin, templateSize_.height());
}

void IdPromptBase::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  idField_->setFocus(Qt::OtherFocusReason);
  idField_->selectAll();  // typing replaces the 0
}

void IdPromptBase::accept() {
  const std::optional<std::uint32_t> id = ui::ParseIdField(ToUtf8(idField_->text()));
  if (!id) {
    dialogs_.ShowMessage(this, ui::kIdFieldRefusal, kApplicationName, MessageKind::Warning);
    idField_->setFocus(Qt::OtherFocusReason);
    idField_->selectAll();
    return;
  }
  id_ = *id;
  QDialog::accept();
}

CFileMap::CFileMap(Dialogs& dialogs, QWidget* owner)
    : IdPromptBase(dialogs, owner, res::FileMapTemplate(), res::kFileIdBox, res::kFileNameBox,
                   res::kFileCounterBox) {}

CKitMapDlg::CKitMapDlg(Dialogs& dialogs, QWidget* owner)
    : IdPromptBase(dialogs, owner, res::KitMapTemplate(), res::kKitIdBox, res::kKitNameBox,
                   res::kKitCounterBox) {
  SetCheckedPosition(*built_.GroupOf(res::kHomeButton), static_cast<int>(KitKind::Home));
}

KitKind CKitMapDlg::kitKind() const {
  const int position = CheckedPosition(*built_.GroupOf(res::kHomeButton));
  return position < 0 ? KitKind::Home : static_cast<KitKind>(position);
}

QtPrompter::QtPrompter(Dialogs& dialogs, QWidget* owner, ProgressDisplay* progress, FolderOf folder)
    : dialogs_(dialogs), owner_(owner), progress_(progress), folder_(std::move(folder)) {}

void QtPrompter::Prepare(IdPromptBase& prompt, std::string_view fileName,
                         std::string_view counter) {
  prompt.SetPicture(ToQString(fileName), ToQString(counter));
  if (folder_) {
    const std::string path = platform::JoinPath(folder_(), fileName);
    prompt.SetPreview(QFile::decodeName(QByteArray::fromStdString(path)));
  }
}

std::optional<std::uint32_t> QtPrompter::AskFileId(std::string_view fileName,
                                                   std::string_view counter) {
  ProgressDisplay::Pause pause(progress_);
  CFileMap prompt(dialogs_, owner_);
  Prepare(prompt, fileName, counter);
  if (prompt.exec() != QDialog::Accepted) return std::nullopt;
  return prompt.id();
}

std::optional<KitAnswer> QtPrompter::AskKitId(std::string_view fileName, std::string_view counter) {
  ProgressDisplay::Pause pause(progress_);
  CKitMapDlg prompt(dialogs_, owner_);
  Prepare(prompt, fileName, counter);
  if (prompt.exec() != QDialog::Accepted) return std::nullopt;
  return KitAnswer{prompt.id(), prompt.kitKind()};
}

}  // namespace mapio::qt
