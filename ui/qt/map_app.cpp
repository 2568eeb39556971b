#include "ui/qt/map_app.h"

#include <QKeyEvent>

#include "ui/qt/app_icon.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {

namespace {
char g_programName[] = "mapio";

// An access key that names a control never reaches this filter: the
// shortcut took it. One that names none would type its letter into the
// focused field; as on Windows, it does nothing instead. Ctrl+Alt is AltGr
// on some keyboards, so it still types.
class UnmatchedAccessKeys : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const Qt::KeyboardModifiers mods = key->modifiers();
      if ((mods & Qt::AltModifier) && !(mods & (Qt::ControlModifier | Qt::MetaModifier)) &&
          !key->text().isEmpty() && key->text().at(0).isPrint()) {
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(ToQString(kApplicationName));
  QApplication::setWindowIcon(AppIcon());
  app.setQuitOnLastWindowClosed(false);  // the modal run decides when we end
  app.installEventFilter(new UnmatchedAccessKeys(&app));
}

CMapApp::CMapApp(int argc, char** argv) {
  argv_[0] = argc > 0 && argv && argv[0] ? argv[0] : g_programName;
  app_ = std::make_unique<QApplication>(argc_, argv_);
  SetUpApplication(*app_);
}

CMapApp::~CMapApp() = default;

int CMapApp::Run() {
  QtDialogs dialogs;
  CMainDlg window(dialogs);
  window.exec();  // the result is of no interest
  return 0;
}

}  // namespace mapio::qt
