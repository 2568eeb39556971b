#include <windows.h>

#include "ui/win32/map_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  mapio::win32::CMapApp app;
  app.InitInstance();
  return 0;
}
