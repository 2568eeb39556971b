// Windows: names are bytes in the ANSI code page, one or two bytes a
// character. Case, white space and order go through the runtime's multibyte
// functions, set to that code page, so a double-byte character is never split.
#include "platform/platform.h"

#include <algorithm>
#include <array>
#include <string>

// After the C++ headers: <mbctype.h> defines _M1, _S1 … that libstdc++
// uses as template parameter names.
#include <windows.h>
#include <mbctype.h>
#include <mbstring.h>

namespace mapio::platform {

namespace {

// The "A" file functions take names in the ANSI code page; the multibyte
// functions must read them in the same one.
bool SetAnsiCodePage() {
  static const bool set = _setmbcp(_MB_CP_ANSI) == 0;
  return set;
}
// Done while the program loads, before main runs.
const bool kAnsiCodePageSet = SetAnsiCodePage();

UINT CodePage() {
  SetAnsiCodePage();
  const int cp = _getmbcp();
  return cp > 0 ? static_cast<UINT>(cp) : CP_ACP;
}

bool IsLeadByte(unsigned char c) { return _ismbblead(c) != 0; }

// Length of the character at `i`: 2 for a lead byte with its trail byte,
// else 1. A lead byte at the very end stands alone.
std::size_t CharLength(std::string_view text, std::size_t i) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data() + i);
  if (i + 1 < text.size() && text[i + 1] != '\0') {
    const auto step = static_cast<std::size_t>(_mbsinc(p) - p);
    return step == 2 ? 2 : 1;
  }
  return 1;
}

// Single-byte letters above ASCII (À, Ş, Ж …) through the code page's own
// Unicode mapping, as Windows' runtime builds its case table. Wine's
// runtime lowers ASCII only; this keeps both the same.
struct ByteCase {
  UINT codePage = 0;
  std::array<unsigned char, 256> lower{};
  std::array<unsigned char, 256> upper{};
};

unsigned char MapByte(UINT cp, unsigned char byte, DWORD how) {
  const char in = static_cast<char>(byte);
  wchar_t wide = 0;
  if (MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, &in, 1, &wide, 1) != 1) return byte;
  wchar_t mapped = 0;
  if (LCMapStringW(LOCALE_INVARIANT, how, &wide, 1, &mapped, 1) != 1) return byte;
  char out = 0;
  BOOL lossy = FALSE;
  if (WideCharToMultiByte(cp, WC_NO_BEST_FIT_CHARS, &mapped, 1, &out, 1, nullptr, &lossy) != 1 ||
      lossy) {
    return byte;
  }
  return static_cast<unsigned char>(out);
}

const ByteCase& ByteCaseTable() {
  static ByteCase table;
  const UINT cp = CodePage();
  if (table.codePage == cp) return table;
  table.codePage = cp;
  for (int b = 0; b < 256; ++b) {
    const auto c = static_cast<unsigned char>(b);
    const bool single = c >= 0x80 && !IsLeadByte(c);
    table.lower[c] = single ? MapByte(cp, c, LCMAP_LOWERCASE) : c;
    table.upper[c] = single ? MapByte(cp, c, LCMAP_UPPERCASE) : c;
  }
  return table;
}

// _mbslwr/_mbsupr stop at a NUL, so each NUL-free run is mapped on its own.
template <typename MbsMap>
std::string MapCase(std::string_view text, MbsMap mbsMap,
                    const std::array<unsigned char, 256>& bytes) {
  std::string out(text);
  for (std::size_t start = 0; start < out.size();) {
    const std::size_t end = std::min(out.find('\0', start), out.size());
    mbsMap(reinterpret_cast<unsigned char*>(out.data() + start));
    start = end + 1;
  }
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t n = CharLength(out, i);
    if (n == 1) out[i] = static_cast<char>(bytes[static_cast<unsigned char>(out[i])]);
    i += n;
  }
  return out;
}

std::string Lower(std::string_view text) {
  return MapCase(
      text, [](unsigned char* s) { _mbslwr(s); }, ByteCaseTable().lower);
}

std::string Upper(std::string_view text) {
  return MapCase(
      text, [](unsigned char* s) { _mbsupr(s); }, ByteCaseTable().upper);
}

// _ismbcspace also calls the no-break space and the ideographic space
// white space; a byte of 128 or more never is.
bool IsSpaceChar(std::string_view text, std::size_t i, std::size_t length) {
  const auto c = static_cast<unsigned char>(text[i]);
  return length == 1 && c < 0x80 && _ismbcspace(c);
}

}  // namespace

std::u16string NameSortKey(std::string_view name) {
  if (name.empty()) return {};
  const UINT cp = CodePage();
  const int size = static_cast<int>(name.size());
  const int units = MultiByteToWideChar(cp, 0, name.data(), size, nullptr, 0);
  if (units <= 0) return std::u16string(name.begin(), name.end());
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(cp, 0, name.data(), size, wide.data(), units);
  // NTFS upper-cases by single UTF-16 units, as this does.
  std::wstring upper(wide.size(), L'\0');
  if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide.data(), units, upper.data(), units) !=
      units) {
    upper = wide;
  }
  return std::u16string(upper.begin(), upper.end());
}

int CompareNames(std::string_view a, std::string_view b) {
  const int byKey = NameSortKey(a).compare(NameSortKey(b));
  if (byKey != 0) return byKey < 0 ? -1 : 1;
  // Names that differ only in case: by multibyte character codes.
  const std::string sa(a);
  const std::string sb(b);
  int byChars = _mbscmp(reinterpret_cast<const unsigned char*>(sa.c_str()),
                        reinterpret_cast<const unsigned char*>(sb.c_str()));
  if (byChars == 0) byChars = a.compare(b);  // they differ after a NUL
  return byChars < 0 ? -1 : (byChars > 0 ? 1 : 0);
}

std::string_view Trim(std::string_view text) {
  // Walk whole characters, so the trail byte of a double-byte character is
  // never taken for a byte of its own.
  std::size_t firstKept = text.size();
  std::size_t endKept = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = CharLength(text, i);
    if (!IsSpaceChar(text, i, n)) {
      if (firstKept == text.size()) firstKept = i;
      endKept = i + n;
    }
    i += n;
  }
  if (endKept == 0) return text.substr(0, 0);
  return text.substr(firstKept, endKept - firstKept);
}

std::string LowerCaseName(std::string_view name) { return Lower(name); }

std::string CaseFoldKey(std::string_view name) { return Lower(Upper(name)); }

}  // namespace mapio::platform
