// CMainDlg, the program's one top-level window, built from template 102.
#pragma once

#include <QDialog>

#include <memory>

#include "ui/main_window.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/id_prompts.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/template_builder.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QMenu;
class QMimeData;

namespace mapio::qt {

class CMainDlg final : public QDialog, private ui::MainWindowView {
  Q_OBJECT
 public:
  // Its boxes and those of the windows it opens come from `dialogs`.
  explicit CMainDlg(Dialogs& dialogs, QWidget* owner = nullptr);
  ~CMainDlg() override;

  // A control of the template by id (tests, screenshots).
  QWidget* control(int id) const { return built_.byId.value(id); }
  // The context menu with "&About Mapio..." (tests open it themselves).
  std::unique_ptr<QMenu> MakeContextMenu();

  // Esc, "Clos&e", the close box and the window manager's close.
  void reject() override;

 public slots:
  void Go();
  void Browse();
  void EditXml();
  void Check();
  void About();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  ui::MainControls ReadControls() const override;
  void WriteControls(const ui::MainControls& controls) override;
  MessageButton ShowBox(std::string_view text, std::string_view caption, MessageKind kind) override;
  ui::ReportChoice ShowReport(ui::CheckReport& report) override;
  void JobStarted() override;
  void JobProgressed(const JobProgress& progress) override;
  void JobEnded() override;
  void Connect();

  Dialogs& dialogs_;
  BuiltDialog built_;
  QLineEdit* path_ = nullptr;
  QButtonGroup* actions_ = nullptr;
  QButtonGroup* objects_ = nullptr;
  QCheckBox* allFilenamesAreIds_ = nullptr;
  QCheckBox* processDroppedFolders_ = nullptr;
  QAbstractButton* kits_ = nullptr;
  ProgressDisplay progress_;
  QWidget* boxOwner_ = nullptr;  // the report while it is up
  QtPrompter prompter_;
  ui::MainWindow logic_;
};

// Local paths of a drop, in its order; URLs that are not local files are
// left out.
std::vector<std::string> DroppedPaths(const QMimeData& data);

}  // namespace mapio::qt
