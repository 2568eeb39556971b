// Pictures read for a preview: scaled down into a box while they are read,
// so a large picture costs no more than a small one.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace mapio::qt {

// The picture at `path`, at most `box` in size (never larger than it is),
// told by its contents rather than its name; a null image when it cannot
// be read.
QImage ReadScaled(const QString& path, const QSize& box);

}  // namespace mapio::qt
