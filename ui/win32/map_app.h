// CMapApp: starts the common controls, runs the main window modally and
// ends the program when it closes.
#pragma once

namespace mapio::win32 {

class CMapApp {
 public:
  CMapApp();
  ~CMapApp();
  CMapApp(const CMapApp&) = delete;
  CMapApp& operator=(const CMapApp&) = delete;

  // False in every case: there is nothing to run after the main window.
  bool InitInstance();

 private:
  bool comReady_ = false;
};

}  // namespace mapio::win32
