// The writer's two prompts: CFileMap ("Select ID for file") and CKitMapDlg
// ("Select ID for kit"), and QtPrompter, which runs one per picture.
#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/job_host.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/template_builder.h"

class QLabel;
class QLineEdit;

namespace mapio::qt {

class ProgressDisplay;

// What both prompts share: the ID field, Add and Do not add, the preview.
class IdPromptBase : public QDialog {
  Q_OBJECT
 public:
  std::uint32_t id() const { return id_; }
  // Before exec: the picture's name as the folder lists it and "%u/%u".
  void SetPicture(const QString& fileName, const QString& counter);
  // A picture to show beside the controls; nothing shows for a file that
  // is not a readable picture.
  void SetPreview(const QString& picturePath);
  // The preview label, or nullptr when there is none (tests).
  QLabel* preview() const { return preview_; }

  void accept() override;

 protected:
  IdPromptBase(Dialogs& dialogs, QWidget* owner, const res::DialogTemplate& dialogTemplate,
               int idField, int fileNameField, int counterField);
  void showEvent(QShowEvent* event) override;
  BuiltDialog built_;

 private:
  Dialogs& dialogs_;
  QLineEdit* idField_;
  QLineEdit* fileNameField_;
  QLineEdit* counterField_;
  QLabel* preview_ = nullptr;
  std::uint32_t id_ = 0;
  QSize templateSize_;
};

class CFileMap final : public IdPromptBase {
  Q_OBJECT
 public:
  explicit CFileMap(Dialogs& dialogs, QWidget* owner = nullptr);
};

class CKitMapDlg final : public IdPromptBase {
  Q_OBJECT
 public:
  explicit CKitMapDlg(Dialogs& dialogs, QWidget* owner = nullptr);
  KitKind kitKind() const;
};

// Opens one prompt per call, owned by `owner`, with the progress hidden
// while it is up.
class QtPrompter final : public IdPrompter {
 public:
  using FolderOf = std::function<std::string()>;
  QtPrompter(Dialogs& dialogs, QWidget* owner, ProgressDisplay* progress, FolderOf folder);

  std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                         std::string_view counter) override;
  std::optional<KitAnswer> AskKitId(std::string_view fileName, std::string_view counter) override;

 private:
  void Prepare(IdPromptBase& prompt, std::string_view fileName, std::string_view counter);

  Dialogs& dialogs_;
  QWidget* owner_;
  ProgressDisplay* progress_;
  FolderOf folder_;
};

}  // namespace mapio::qt
