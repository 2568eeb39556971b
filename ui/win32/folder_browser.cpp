#include "ui/win32/folder_browser.h"

#include <shlobj.h>

#include <utility>

#include "ui/main_window.h"

namespace mapio::win32 {

namespace {

struct SeamState {
  std::optional<std::string> answer;
  int calls = 0;
};

SeamState& Seam() {
  static SeamState state;
  return state;
}

}  // namespace

std::string ChooseFolder(HWND owner) {
  SeamState& seam = Seam();
  ++seam.calls;
  if (seam.answer) {
    std::string answer = std::move(*seam.answer);
    seam.answer.reset();
    return answer;
  }
  char buffer[MAX_PATH] = {};
  const std::string title(ui::kBrowseTitle);
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = buffer;
  info.lpszTitle = title.c_str();
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  // A cancel or an item outside the file system gives an empty path.
  if (!chosen || !SHGetPathFromIDListA(chosen, buffer)) buffer[0] = '\0';
  CoTaskMemFree(chosen);
  return buffer;
}

void FolderBrowserSeam::SetNextAnswer(std::optional<std::string> answer) {
  Seam().answer = std::move(answer);
}

int FolderBrowserSeam::Calls() { return Seam().calls; }

}  // namespace mapio::win32
