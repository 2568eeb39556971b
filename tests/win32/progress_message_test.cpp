// The progress window's timing and the box for long messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/win32/dialog.h"
#include "ui/win32/long_message.h"
#include "ui/win32/progress_window.h"

namespace mapio::testing {
namespace {

using win32::ProgressWindow;

// The timing itself is ProgressPacer's, tested there: this checks that the
// window follows it, hides for a box and at the end.
TEST(Win32Progress, FollowsThePacerAndHidesForBoxesAndAtTheEnd) {
  std::int64_t now = 1000;
  ProgressWindow progress(GetDesktopWindow(), [&] { return now; });
  const JobProgress counting{JobProgress::Phase::Counting, 10, 0};
  progress.Begin();
  now += 400;
  progress.Report(counting);
  EXPECT_EQ(progress.shown(), nullptr);
  now += 100;
  progress.Report(counting);
  ASSERT_NE(progress.shown(), nullptr);
  EXPECT_EQ(win32::WindowText(progress.shown()), "Counting files: 10");
  {
    ProgressWindow::Pause pause(&progress);
    EXPECT_EQ(progress.shown(), nullptr);
    now += 5000;
    progress.Report(counting);
    EXPECT_EQ(progress.shown(), nullptr);
  }
  now += 500;
  progress.Report(counting);
  EXPECT_NE(progress.shown(), nullptr);
  progress.End();
  EXPECT_EQ(progress.shown(), nullptr);
  now += 1000;
  progress.Report(counting);
  EXPECT_EQ(progress.shown(), nullptr);
}

// Answers the long message from a timer, which its modal loop runs.
struct LongMessageReader {
  static inline std::string text;
  static inline int button = IDOK;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindWindowA(nullptr, "Status");
    if (!box) return;
    KillTimer(nullptr, timer);
    text = win32::WindowText(GetDlgItem(box, win32::kLongMessageTextId));
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
};

TEST(Win32LongMessage, ShowsTheWholeTextAndAnswersWithItsButtons) {
  // A name no Western code page holds, then many lines.
  std::string text = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2.png -> 1.png\n";
  for (int i = 0; i < 3000; ++i) {
    text += "picture " + std::to_string(i) + ".png -> " + std::to_string(i) + ".png\n";
  }
  std::string shown;
  for (const char c : text) {
    if (c == '\n') shown += '\r';
    shown += c;
  }
  struct Row {
    MessageKind kind;
    int button;
    MessageButton answer;
  };
  for (const Row& row : {Row{MessageKind::Information, IDOK, MessageButton::Ok},
                         Row{MessageKind::Question, IDNO, MessageButton::No},
                         Row{MessageKind::Confirmation, IDCANCEL, MessageButton::Cancel}}) {
    LongMessageReader::text.clear();
    LongMessageReader::button = row.button;
    SetTimer(nullptr, 0, 20, &LongMessageReader::Tick);
    EXPECT_EQ(win32::ShowLongMessage(nullptr, text, "Status", row.kind), row.answer);
    EXPECT_EQ(LongMessageReader::text, shown);
  }
}

}  // namespace
}  // namespace mapio::testing
