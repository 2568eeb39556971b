#include "ui/win32/map_app.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "ui/win32/main_dialog.h"

namespace mapio::win32 {

// The folder browser is a shell window and wants COM on this thread.
CMapApp::CMapApp() : comReady_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

CMapApp::~CMapApp() {
  if (comReady_) CoUninitialize();
}

bool CMapApp::InitInstance() {
  InitCommonControls();
  Win32Dialogs dialogs;
  CMainDlg window(dialogs);
  window.RunModal(nullptr);  // the result is of no interest
  return false;
}

}  // namespace mapio::win32
