// The writer's two prompts: CFileMap ("Select ID for file") and CKitMapDlg
// ("Select ID for kit"), and Win32Prompter, which runs one per picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/job_host.h"
#include "ui/win32/dialog.h"

namespace mapio::win32 {

class ProgressWindow;

// What both prompts share: the ID field, Add and Do not add.
class IdPromptBase : public Dialog {
 public:
  // Before RunModal: the picture's name as the folder lists it and "%u/%u".
  void SetPicture(std::string_view fileName, std::string_view counter);
  std::uint32_t id() const { return id_; }

 protected:
  IdPromptBase(Dialogs& dialogs, int templateId, int idField, int fileNameField, int counterField);
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;
  // Add accepted: the other controls into the members.
  virtual void ReadBack() {}

 private:
  void FocusIdField();

  int idField_;
  int fileNameField_;
  int counterField_;
  std::string fileName_;
  std::string counter_;
  std::uint32_t id_ = 0;
};

class CFileMap final : public IdPromptBase {
 public:
  explicit CFileMap(Dialogs& dialogs);
};

class CKitMapDlg final : public IdPromptBase {
 public:
  explicit CKitMapDlg(Dialogs& dialogs);
  KitKind kitKind() const { return kitKind_; }

 protected:
  bool OnInitDialog() override;
  void ReadBack() override;

 private:
  KitKind kitKind_ = KitKind::Home;
};

class Win32Prompter final : public IdPrompter {
 public:
  Win32Prompter(Dialogs& dialogs, HWND owner, ProgressWindow* progress)
      : dialogs_(dialogs), owner_(owner), progress_(progress) {}
  void SetOwner(HWND owner) { owner_ = owner; }

  std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                         std::string_view counter) override;
  std::optional<KitAnswer> AskKitId(std::string_view fileName, std::string_view counter) override;

 private:
  Dialogs& dialogs_;
  HWND owner_;
  ProgressWindow* progress_;
};

}  // namespace mapio::win32
