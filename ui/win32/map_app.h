// CMapApp: starts the common controls, runs the main window modally and
// ends the program when it closes.
#pragma once

#include "platform/files.h"

namespace mapio::win32 {

// COM is started and ended once.
class CMapApp : platform::OwnsSystemResource {
 public:
  CMapApp();
  ~CMapApp();

  // False in every case: there is nothing to run after the main window.
  bool InitInstance();

 private:
  bool comReady_ = false;
};

}  // namespace mapio::win32
