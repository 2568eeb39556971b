// The shell's folder browser of "&Browse", with a seam so tests answer it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace mapio::win32 {

// The chosen folder, or an empty text when the user cancelled or chose
// something that is no folder of the file system.
std::string ChooseFolder(HWND owner);

class FolderBrowserSeam {
 public:
  // The next ChooseFolder returns `answer` instead of opening the browser.
  static void SetNextAnswer(std::optional<std::string> answer);
  static int Calls();
};

}  // namespace mapio::win32
