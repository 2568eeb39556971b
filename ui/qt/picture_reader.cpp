#include "ui/qt/picture_reader.h"

#include <QImageReader>

namespace mapio::qt {

QImage ReadScaled(const QString& path, const QSize& box) {
  QImageReader reader(path);
  // A JPEG named .png is shown as what it is.
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > box.width() || size.height() > box.height())) {
    reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
  }
  QImage image = reader.read();
  if (!image.isNull() && (image.width() > box.width() || image.height() > box.height())) {
    image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return image;
}

}  // namespace mapio::qt
