#include "ui/win32/main_dialog.h"

#include <shellapi.h>

#include <vector>

#include "platform/wide_win32.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "ui/job_entries.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/edit_dialog.h"

namespace mapio::win32 {

namespace {

// The radio groups in template order: positions are the settings' values.
const std::vector<int>& ActionGroup() {
  static const std::vector<int> group = res::RadioGroup(res::MainTemplate(), res::kMakeButton);
  return group;
}
const std::vector<int>& ObjectGroup() {
  static const std::vector<int> group = res::RadioGroup(res::MainTemplate(), res::kFacesButton);
  return group;
}

int CheckedPosition(HWND dialog, const std::vector<int>& group) {
  for (std::size_t i = 0; i < group.size(); ++i) {
    if (IsDlgButtonChecked(dialog, group[i]) == BST_CHECKED) return static_cast<int>(i);
  }
  return -1;
}

void SetCheckedPosition(HWND dialog, const std::vector<int>& group, int position) {
  for (std::size_t i = 0; i < group.size(); ++i) {
    CheckDlgButton(dialog, group[i], static_cast<int>(i) == position ? BST_CHECKED : BST_UNCHECKED);
  }
}

}  // namespace

std::vector<std::string> DroppedPaths(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // Asked for its length first: a path may be longer than MAX_PATH.
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(platform::Narrow(path));
  }
  return paths;
}

POINT IconPosition(const RECT& client, int iconWidth, int iconHeight) {
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  return {(width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2};
}

CMainDlg::CMainDlg(Dialogs& dialogs)
    : Dialog(res::kMainDialog, dialogs),
      icon_(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res::kAppIcon))),
      progress_(nullptr),
      prompter_(dialogs, nullptr, &progress_),
      logic_(*this, ui::MakeJobEntries(prompter_)) {}

CMainDlg::~CMainDlg() = default;

bool CMainDlg::OnInitDialog() {
  progress_.SetOwner(hwnd());
  prompter_.SetOwner(hwnd());
  logic_.Initialise();
  AddAboutEntry();
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  DragAcceptFiles(hwnd(), TRUE);
  return true;  // the focus goes to the first tab stop, the path box
}

void CMainDlg::AddAboutEntry() {
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  wchar_t text[256] = {};
  if (!menu ||
      LoadStringW(GetModuleHandleW(nullptr), res::kAboutEntryString, text, std::size(text)) <= 0) {
    return;
  }
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kAboutCommand, text);
}

bool CMainDlg::OnCommand(int id, int notification) {
  switch (id) {
    case res::kGoButton: logic_.Go(); return true;
    case res::kBrowseButton: logic_.FolderChosen(dialogs().BrowseForFolder(hwnd())); return true;
    case res::kEditXmlButton: EditXml(); return true;
    case res::kCheckButton: logic_.Check(); return true;
    case res::kCloseButton:
      if (logic_.ConfirmQuit()) End(IDCANCEL);
      return true;
    case res::kTranslateButton:
      if (notification == BN_CLICKED) logic_.TranslateModeChosen();
      return true;
    case res::kMakeButton:
      if (notification == BN_CLICKED) logic_.MakeModeChosen();
      return true;
    default: return false;
  }
}

bool CMainDlg::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, INT_PTR& result) {
  switch (message) {
    case WM_DROPFILES: Dropped(reinterpret_cast<HDROP>(wParam)); return true;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != kAboutCommand) return false;
      {
        CAboutDlg about(dialogs());
        about.RunModal(hwnd());
      }
      return true;
    case WM_PAINT: return PaintIcon();
    case WM_QUERYDRAGICON: result = reinterpret_cast<INT_PTR>(icon_); return true;
    default: return false;
  }
}

void CMainDlg::Dropped(HDROP drop) {
  const std::vector<std::string> paths = DroppedPaths(drop);
  DragFinish(drop);  // the paths are copied; the jobs may take long
  logic_.FoldersDropped(paths);
}

void CMainDlg::EditXml() {
  Win32EditorView editor(dialogs(), hwnd());
  logic_.EditXml(editor);
}

bool CMainDlg::PaintIcon() {
  if (!IsIconic(hwnd())) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd(), &paint);
  SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(hwnd(), &client);
  const POINT at = IconPosition(client, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
  DrawIcon(dc, at.x, at.y, icon_);
  EndPaint(hwnd(), &paint);
  return true;
}

ui::MainControls CMainDlg::ReadControls() const {
  SendMessageW(Item(res::kPathBox), EM_SETLIMITTEXT, ui::kPathBoxLimit, 0);
  ui::MainControls c;
  c.pathText = ItemText(res::kPathBox);
  c.actionPosition = CheckedPosition(hwnd(), ActionGroup());
  c.objectPosition = CheckedPosition(hwnd(), ObjectGroup());
  c.allFilenamesAreIds = IsDlgButtonChecked(hwnd(), res::kAllFilenamesAreIdsBox) == BST_CHECKED;
  c.processDroppedFolders =
      IsDlgButtonChecked(hwnd(), res::kProcessDroppedFoldersBox) == BST_CHECKED;
  c.allFilenamesEnabled = IsWindowEnabled(Item(res::kAllFilenamesAreIdsBox)) != FALSE;
  c.kitsEnabled = IsWindowEnabled(Item(res::kKitsButton)) != FALSE;
  return c;
}

void CMainDlg::WriteControls(const ui::MainControls& c) {
  SendMessageW(Item(res::kPathBox), EM_SETLIMITTEXT, ui::kPathBoxLimit, 0);
  if (ItemText(res::kPathBox) != c.pathText) SetItemText(res::kPathBox, c.pathText);
  SetCheckedPosition(hwnd(), ActionGroup(), c.actionPosition);
  SetCheckedPosition(hwnd(), ObjectGroup(), c.objectPosition);
  CheckDlgButton(hwnd(), res::kAllFilenamesAreIdsBox,
                 c.allFilenamesAreIds ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd(), res::kProcessDroppedFoldersBox,
                 c.processDroppedFolders ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(Item(res::kAllFilenamesAreIdsBox), c.allFilenamesEnabled);
  EnableWindow(Item(res::kKitsButton), c.kitsEnabled);
}

MessageButton CMainDlg::ShowBox(std::string_view text, std::string_view caption, MessageKind kind) {
  ProgressWindow::Pause pause(&progress_);
  return dialogs().ShowMessage(reportWindow_ ? reportWindow_ : hwnd(), text, caption, kind);
}

ui::ReportChoice CMainDlg::ShowReport(ui::CheckReport& report) {
  ProgressWindow::Pause pause(&progress_);
  CReportDlg dialog(dialogs(), report, reportPlace_, &reportWindow_);
  return dialog.Show(hwnd());
}

void CMainDlg::JobStarted() { progress_.Begin(); }
void CMainDlg::JobProgressed(const JobProgress& progress) { progress_.Report(progress); }
void CMainDlg::JobEnded() { progress_.End(); }

}  // namespace mapio::win32
