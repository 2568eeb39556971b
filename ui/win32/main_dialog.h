// The main window, CMainDlg, on the native controls of template 102. What
// it does lives in ui::MainWindow; this class reads and writes the controls
// and forwards the window's events.
#pragma once

#include <string>
#include <vector>

#include "ui/main_window.h"
#include "ui/win32/dialog.h"
#include "ui/win32/id_prompts.h"
#include "ui/win32/progress_window.h"
#include "ui/win32/report_window.h"

namespace mapio::win32 {

// The command of the about entry in the system menu.
inline constexpr UINT kAboutCommand = 16;

// The paths of a drop, in index order, as UTF-8.
std::vector<std::string> DroppedPaths(HDROP drop);

// The top-left corner of the icon drawn on a minimised window.
POINT IconPosition(const RECT& client, int iconWidth, int iconHeight);

class CMainDlg final : public Dialog, private ui::MainWindowView {
 public:
  explicit CMainDlg(Dialogs& dialogs);
  ~CMainDlg() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notification) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  ui::MainControls ReadControls() const override;
  void WriteControls(const ui::MainControls& controls) override;
  MessageButton ShowBox(std::string_view text, std::string_view caption, MessageKind kind) override;
  ui::ReportChoice ShowReport(ui::CheckReport& report) override;
  void JobStarted() override;
  void JobProgressed(const JobProgress& progress) override;
  void JobEnded() override;

  void AddAboutEntry();
  void Dropped(HDROP drop);
  void EditXml();
  bool PaintIcon();

  HICON icon_;
  ProgressWindow progress_;
  ReportPlace reportPlace_;
  HWND reportWindow_ = nullptr;  // while the check's report is up: boxes belong to it
  Win32Prompter prompter_;
  ui::MainWindow logic_;
};

}  // namespace mapio::win32
