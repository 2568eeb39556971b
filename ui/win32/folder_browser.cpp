#include "ui/win32/folder_browser.h"

#include <shlobj.h>

#include <utility>

#include "platform/wide_win32.h"
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
  wchar_t name[MAX_PATH] = {};
  const std::wstring title = platform::Widen(ui::kBrowseTitle);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = name;
  info.lpszTitle = title.c_str();
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  // Room for a long path; a cancel or an item outside the file system
  // gives an empty one.
  std::wstring path(32768, L'\0');
  if (!chosen || !SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()),
                                        GPFIDL_DEFAULT)) {
    path.clear();
  }
  CoTaskMemFree(chosen);
  return platform::Narrow(path.c_str());
}

void FolderBrowserSeam::SetNextAnswer(std::optional<std::string> answer) {
  Seam().answer = std::move(answer);
}

int FolderBrowserSeam::Calls() { return Seam().calls; }

}  // namespace mapio::win32
