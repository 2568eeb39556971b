#include "ui/editor_text.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"

namespace mapio::ui {

LineEnd NativeLineEnd() {
#ifdef _WIN32
  return LineEnd::CrLf;
#else
  return LineEnd::Lf;
#endif
}

bool ColoursXml(std::size_t fileSize) { return fileSize <= kColourLimit; }

EditorLook LookOf(std::string_view fileBytes) {
  std::size_t crLf = 0;
  std::size_t lf = 0;
  std::size_t cr = 0;
  // By memchr from one CR or LF to the next: most bytes are neither.
  const char* const begin = fileBytes.data();
  const char* const end = begin + fileBytes.size();
  for (const char* p = begin; p < end;) {
    const void* next = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* lineEnd = next == nullptr ? end : static_cast<const char*>(next);
    for (const void* c = std::memchr(p, '\r', static_cast<std::size_t>(lineEnd - p)); c != nullptr;
         c = std::memchr(p, '\r', static_cast<std::size_t>(lineEnd - p))) {
      const char* at = static_cast<const char*>(c);
      if (at + 1 != lineEnd || lineEnd == end) ++cr;
      p = at + 1;
    }
    if (lineEnd == end) break;
    if (lineEnd > begin && lineEnd[-1] == '\r') {
      ++crLf;
    } else {
      ++lf;
    }
    p = lineEnd + 1;
  }
  EditorLook look;
  look.encoding = platform::IsValidUtf8(fileBytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
  const std::size_t most = std::max({crLf, lf, cr});
  const int kinds = (crLf == most) + (lf == most) + (cr == most);
  look.lineEnd = kinds > 1      ? NativeLineEnd()
                 : crLf == most ? LineEnd::CrLf
                 : lf == most   ? LineEnd::Lf
                                : LineEnd::Cr;
  look.showLineEnds = (crLf > 0) + (lf > 0) + (cr > 0) > 1;
  look.colour = ColoursXml(fileBytes.size());
  return look;
}

}  // namespace mapio::ui
