// The program's texts are UTF-8; Qt's are QString. Every Qt file converts
// through these two.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace mapio::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toStdString(); }

}  // namespace mapio::qt
