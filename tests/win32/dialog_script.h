// The native window's Dialogs in tests (FakeDialogs), which also drives
// each modal dialog from inside its loop with the next step queued for its
// template. A dialog with no step left fails the test and is closed, so a
// test never hangs on a window.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <string>

#include "platform/wide_win32.h"
#include "tests/support/fake_dialogs.h"
#include "ui/win32/dialog.h"

namespace mapio::testing {

class DialogScript final : public FakeDialogs<win32::Dialogs> {
 public:
  using Step = std::function<void(win32::Dialog&)>;

  DialogScript() = default;
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  void Then(int templateId, Step step) { steps_[templateId].push_back(std::move(step)); }
  bool Done() const {
    for (const auto& [id, queue] : steps_) {
      if (!queue.empty()) return false;
    }
    return true;
  }

 private:
  void Opened(win32::Dialog& dialog) override {
    std::deque<Step>& queue = steps_[dialog.templateId()];
    if (queue.empty()) {
      ADD_FAILURE() << "dialog " << dialog.templateId() << " opened with no step left";
      EndDialog(dialog.hwnd(), IDCANCEL);
      return;
    }
    Step step = std::move(queue.front());
    queue.pop_front();
    step(dialog);
  }

  std::map<int, std::deque<Step>> steps_;
};

inline void Click(win32::Dialog& dialog, int id) { SendMessageA(dialog.Item(id), BM_CLICK, 0, 0); }
// `text` is UTF-8.
inline void Type(win32::Dialog& dialog, int id, const std::string& text) {
  SetDlgItemTextW(dialog.hwnd(), id, platform::Widen(text).c_str());
}
inline bool Checked(win32::Dialog& dialog, int id) {
  return IsDlgButtonChecked(dialog.hwnd(), id) == BST_CHECKED;
}
inline bool Enabled(win32::Dialog& dialog, int id) {
  return IsWindowEnabled(dialog.Item(id)) != FALSE;
}
// The Enter and Esc keys as the dialog manager turns them into commands.
inline void Command(win32::Dialog& dialog, int id) {
  SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

}  // namespace mapio::testing
