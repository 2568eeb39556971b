#include "ui/qt/map_app.h"

#include "ui/qt/main_dialog.h"
#include "ui/qt/app_icon.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

namespace {
char g_programName[] = "mapio";
}

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(ToQString(kApplicationName));
  QApplication::setWindowIcon(AppIcon());
  app.setQuitOnLastWindowClosed(false);  // the modal run decides when we end
}

CMapApp::CMapApp(int argc, char** argv) {
  argv_[0] = argc > 0 && argv && argv[0] ? argv[0] : g_programName;
  app_ = std::make_unique<QApplication>(argc_, argv_);
  SetUpApplication(*app_);
}

CMapApp::~CMapApp() = default;

int CMapApp::Run() {
  CMainDlg window;
  window.exec();  // the result is of no interest
  return 0;
}

}  // namespace mapio::qt
