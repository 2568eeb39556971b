// Where the windows open: the main window in the middle of the screen,
// everything else in the middle of the window that owns it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "res/control_ids.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/dialog_script.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/placement.h"

namespace mapio::testing {
namespace {

using win32::Dialog;

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

RECT WorkArea() {
  RECT r{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

// Within a pixel: an odd difference of sizes cannot be halved exactly.
void ExpectCentredOver(HWND window, const RECT& over) {
  const POINT a = CentreOf(RectOf(window));
  const POINT b = CentreOf(over);
  EXPECT_LE(std::abs(a.x - b.x), 1) << a.x << " " << b.x;
  EXPECT_LE(std::abs(a.y - b.y), 1) << a.y << " " << b.y;
}

TEST(Win32Placement, CentredThenPulledIntoTheWorkArea) {
  const RECT work{0, 0, 1000, 700};
  const struct {
    RECT window, over, placed;
  } cases[] = {
      {{0, 0, 200, 100}, {100, 100, 500, 400}, {200, 200, 400, 300}},    // over the owner
      {{0, 0, 200, 100}, {0, 0, 1000, 700}, {400, 300, 600, 400}},       // on the screen
      {{0, 0, 200, 100}, {-150, -80, 50, 20}, {0, 0, 200, 100}},         // owner off the top left
      {{0, 0, 200, 100}, {900, 650, 1100, 750}, {800, 600, 1000, 700}},  // off the bottom right
      {{0, 0, 1200, 800}, {100, 100, 500, 400}, {0, 0, 1200, 800}},      // larger than the screen
  };
  for (const auto& c : cases) {
    const RECT placed = win32::CenteredRect(c.window, c.over, work);
    EXPECT_EQ(placed.left, c.placed.left);
    EXPECT_EQ(placed.top, c.placed.top);
    EXPECT_EQ(placed.right, c.placed.right);
    EXPECT_EQ(placed.bottom, c.placed.bottom);
  }
}

TEST(Win32Placement, MainWindowOnTheScreenItsDialogsOverIt) {
  TempFolder folder;
  folder.Write("a.png");
  DialogScript script;
  RECT main{};
  auto overMain = [&](Dialog& dialog) {
    ExpectCentredOver(dialog.hwnd(), main);
    EndDialog(dialog.hwnd(), IDCANCEL);
  };
  script.Then(res::kFileMapDialog, overMain);
  script.Then(res::kEditXmlDialog, overMain);
  script.Then(res::kAboutDialog, overMain);
  script.Then(res::kMainDialog, [&](Dialog& window) {
    main = RectOf(window.hwnd());
    ExpectCentredOver(window.hwnd(), WorkArea());
    Type(window, res::kPathBox, folder.str());
    Command(window, IDOK);  // the make job asks for a.png, then writes config.xml
    Click(window, res::kEditXmlButton);
    SendMessageA(window.hwnd(), WM_SYSCOMMAND, win32::kAboutCommand, 0);
    EndDialog(window.hwnd(), IDCANCEL);
  });
  win32::CMainDlg window(script);
  window.RunModal(nullptr);
  EXPECT_TRUE(script.Done());
}

// The program's boxes, short and long: the test finds each from a timer
// that its own loop runs, notes where it is and closes it.
RECT g_boxRect{};
HWND g_owner = nullptr;

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
  if (GetWindow(window, GW_OWNER) != g_owner || !IsWindowVisible(window)) return TRUE;
  g_boxRect = RectOf(window);
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

// Until the box has been found: it may come up after the first tick.
void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (!EnumThreadWindows(GetCurrentThreadId(), &CloseBox, 0)) KillTimer(nullptr, id);
}

TEST(Win32Placement, MessageBoxesOverTheirOwner) {
  g_owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, 40, 30, 700,
                            500, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(g_owner, nullptr);
  const RECT owner = RectOf(g_owner);
  for (const bool longText : {false, true}) {
    SCOPED_TRACE(longText);
    g_boxRect = RECT{};
    SetTimer(nullptr, 0, 200, &OnTimer);
    win32::Win32Dialogs().ShowMessage(g_owner, longText ? std::string(3000, 'x') : "text", "Status",
                                      MessageKind::Information);
    ASSERT_NE(g_boxRect.right, 0);
    const POINT a = CentreOf(g_boxRect);
    const POINT b = CentreOf(owner);
    EXPECT_LE(std::abs(a.x - b.x), 1);
    EXPECT_LE(std::abs(a.y - b.y), 1);
  }
  DestroyWindow(g_owner);
}

}  // namespace
}  // namespace mapio::testing
