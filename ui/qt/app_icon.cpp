#include "ui/qt/app_icon.h"

// The resources live in a static library: register them before first use.
static void InitMapioResources() { Q_INIT_RESOURCE(mapio); }

namespace mapio::qt {

QIcon AppIcon() {
  static const QIcon icon = [] {
    InitMapioResources();
    return QIcon(QStringLiteral(":/mapio/mapio.png"));
  }();
  return icon;
}

}  // namespace mapio::qt
