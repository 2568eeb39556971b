#include "ui/qt/main_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "core/chosen_folder.h"
#include "platform/platform.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "res/texts.h"
#include "ui/job_entries.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/edit_dialog.h"
#include "ui/qt/report_window.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

namespace {

constexpr std::string_view kAboutEntry = MAPIO_ABOUT_ENTRY;

}  // namespace

std::vector<std::string> DroppedPaths(const QMimeData& data) {
  std::vector<std::string> paths;
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

CMainDlg::CMainDlg(Dialogs& dialogs, QWidget* owner)
    : QDialog(owner),
      dialogs_(dialogs),
      progress_(this),
      prompter_(dialogs, this, &progress_,
                [this] { return ChooseFolder(logic_.settings().folderPath).path; }),
      logic_(*this, ui::MakeJobEntries(prompter_)) {
  built_ = BuildDialog(*this, res::MainTemplate());
  path_ = built_.Get<QLineEdit>(res::kPathBox);
  path_->setMaxLength(static_cast<int>(ui::kPathBoxLimit));
  path_->setAcceptDrops(false);  // a folder dropped on the box is a drop on the window
  actions_ = built_.GroupOf(res::kMakeButton);
  objects_ = built_.GroupOf(res::kFacesButton);
  allFilenamesAreIds_ = built_.Get<QCheckBox>(res::kAllFilenamesAreIdsBox);
  processDroppedFolders_ = built_.Get<QCheckBox>(res::kProcessDroppedFoldersBox);
  kits_ = built_.Get<QAbstractButton>(res::kKitsButton);
  Connect();
  logic_.Initialise();
  path_->setFocus(Qt::OtherFocusReason);
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::Connect() {
  connect(built_.Get<QPushButton>(res::kGoButton), &QPushButton::clicked, this, &CMainDlg::Go);
  connect(built_.Get<QPushButton>(res::kBrowseButton), &QPushButton::clicked, this,
          &CMainDlg::Browse);
  connect(built_.Get<QPushButton>(res::kEditXmlButton), &QPushButton::clicked, this,
          &CMainDlg::EditXml);
  connect(built_.Get<QPushButton>(res::kCheckButton), &QPushButton::clicked, this,
          &CMainDlg::Check);
  connect(built_.Get<QPushButton>(res::kCloseButton), &QPushButton::clicked, this,
          &CMainDlg::reject);
  // clicked, not toggled: a click on the marked button switches again.
  connect(built_.Get<QAbstractButton>(res::kTranslateButton), &QAbstractButton::clicked, this,
          [this] { logic_.TranslateModeChosen(); });
  connect(built_.Get<QAbstractButton>(res::kMakeButton), &QAbstractButton::clicked, this,
          [this] { logic_.MakeModeChosen(); });
}

ui::MainControls CMainDlg::ReadControls() const {
  ui::MainControls c;
  c.pathText = ToUtf8(path_->text());
  c.actionPosition = CheckedPosition(*actions_);
  c.objectPosition = CheckedPosition(*objects_);
  c.allFilenamesAreIds = allFilenamesAreIds_->isChecked();
  c.processDroppedFolders = processDroppedFolders_->isChecked();
  c.allFilenamesEnabled = allFilenamesAreIds_->isEnabled();
  c.kitsEnabled = kits_->isEnabled();
  return c;
}

void CMainDlg::WriteControls(const ui::MainControls& c) {
  const QString path = ToQString(c.pathText);
  if (path_->text() != path) path_->setText(path);
  SetCheckedPosition(*actions_, c.actionPosition);
  SetCheckedPosition(*objects_, c.objectPosition);
  allFilenamesAreIds_->setChecked(c.allFilenamesAreIds);
  processDroppedFolders_->setChecked(c.processDroppedFolders);
  allFilenamesAreIds_->setEnabled(c.allFilenamesEnabled);
  kits_->setEnabled(c.kitsEnabled);
}

MessageButton CMainDlg::ShowBox(std::string_view text, std::string_view caption, MessageKind kind) {
  ProgressDisplay::Pause pause(&progress_);
  return dialogs_.ShowMessage(boxOwner_ ? boxOwner_ : this, text, caption, kind);
}

ui::ReportChoice CMainDlg::ShowReport(ui::CheckReport& report) {
  ProgressDisplay::Pause pause(&progress_);
  CReportDlg dialog(dialogs_, this, report);
  boxOwner_ = &dialog;
  dialog.exec();
  boxOwner_ = nullptr;
  return dialog.choice();
}

void CMainDlg::JobStarted() { progress_.Begin(); }
void CMainDlg::JobProgressed(const JobProgress& progress) { progress_.Report(progress); }
void CMainDlg::JobEnded() { progress_.End(); }

void CMainDlg::Go() { logic_.Go(); }

void CMainDlg::Browse() { logic_.FolderChosen(dialogs_.BrowseForFolder(this)); }

void CMainDlg::EditXml() {
  QtEditorView editor(dialogs_, this);
  logic_.EditXml(editor);
}

void CMainDlg::Check() { logic_.Check(); }

void CMainDlg::About() {
  CAboutDlg about(this);
  about.exec();
}

void CMainDlg::reject() {
  if (logic_.ConfirmQuit()) QDialog::reject();
}

std::unique_ptr<QMenu> CMainDlg::MakeContextMenu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->addSeparator();
  QAction* about = menu->addAction(ToQString(kAboutEntry));
  about->setObjectName(QStringLiteral("about"));
  connect(about, &QAction::triggered, this, &CMainDlg::About);
  return menu;
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu = MakeContextMenu();
  menu->exec(event->globalPos());
}

void CMainDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainDlg::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainDlg::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = DroppedPaths(*event->mimeData());
  event->acceptProposedAction();
  // The jobs may open boxes; let the drag finish first.
  QMetaObject::invokeMethod(
      this, [this, paths = std::move(paths)] { logic_.FoldersDropped(paths); },
      Qt::QueuedConnection);
}

}  // namespace mapio::qt
