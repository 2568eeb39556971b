// Icon 128, the application's icon, from the program's Qt resources.
#pragma once

#include <QIcon>

namespace mapio::qt {

QIcon AppIcon();

}  // namespace mapio::qt
