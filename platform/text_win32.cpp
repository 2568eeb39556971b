// Windows: the case mappings from utf8proc's table, as the other systems
// have them from utf8proc itself; names of older tools read in the ANSI
// code page; text to and from the wide API.
#include <windows.h>

#include "platform/case_mapping.h"
#include "platform/text.h"
#include "platform/wide_win32.h"

namespace mapio::platform {

char32_t SimpleLower(char32_t codePoint) { return TableLower(codePoint); }

char32_t SimpleUpper(char32_t codePoint) { return TableUpper(codePoint); }

std::string LegacyNameToUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
  if (units <= 0 || MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), units) != units)
    return std::string(bytes);
  return Narrow(wide);
}

std::wstring Widen(std::string_view text) {
  std::u16string units;
  ToUtf16(text, units);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view text) {
  return FromUtf16(std::u16string(text.begin(), text.end()));
}

}  // namespace mapio::platform
