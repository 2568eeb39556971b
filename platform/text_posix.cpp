// Linux and macOS: case mappings through utf8proc; names written by older
// Windows tools read as Windows-1252.
#include <utf8proc.h>

#include "platform/case_mapping.h"
#include "platform/text.h"

namespace mapio::platform {

char32_t SimpleLower(char32_t codePoint) {
  return static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(codePoint)));
}

char32_t SimpleUpper(char32_t codePoint) {
  return static_cast<char32_t>(utf8proc_toupper(static_cast<utf8proc_int32_t>(codePoint)));
}

// The code page such files were mostly written in; every byte has a
// character in it.
std::string LegacyNameToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace mapio::platform
