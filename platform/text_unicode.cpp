// Names are UTF-8 on every system (bytes that are not stay as they are):
// their order, case mapping and trimming, by one Unicode rule everywhere,
// so that the same folder gives the same config.xml on each.
#include <algorithm>

#include "platform/case_mapping.h"
#include "platform/folders.h"
#include "platform/text.h"

namespace mapio::platform {

namespace {

// The code point at the front of `text` and its length in bytes, or 0 when
// the bytes there are not valid UTF-8 (surrogates and overlong forms included).
std::size_t DecodeOne(std::string_view text, char32_t& codePoint) {
  return Utf8Length(text, 0, codePoint);
}

void AppendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
    return;
  }
  const auto v = static_cast<std::uint32_t>(codePoint) - 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
}

// NTFS upper-cases through a table of 16-bit units, so characters outside
// the Basic Multilingual Plane keep their case there. Its table has no
// capital for ß; the simple mapping gives ẞ.
char32_t NtfsUpper(char32_t codePoint) {
  if (codePoint >= 0x10000 || codePoint == 0xDF) return codePoint;
  const char32_t upper = SimpleUpper(codePoint);
  return upper < 0x10000 ? upper : codePoint;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLowerCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

// Maps every valid code point of `text` through `map`; bytes that are not
// valid UTF-8 pass unchanged except that ASCII letters are still lowered.
template <typename Map>
std::string MapCodePoints(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  char32_t codePoint = 0;
  while (!text.empty()) {
    const std::size_t used = DecodeOne(text, codePoint);
    if (used == 0) {
      out.push_back(AsciiLower(text.front()));
      text.remove_prefix(1);
      continue;
    }
    AppendUtf8(out, map(codePoint));
    text.remove_prefix(used);
  }
  return out;
}

}  // namespace

std::u16string NameSortKey(std::string_view name) {
  std::u16string key;
  key.reserve(name.size());
  char32_t codePoint = 0;
  while (!name.empty()) {
    const auto byte = static_cast<unsigned char>(name.front());
    if (byte < 0x80) {
      key.push_back(static_cast<char16_t>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte));
      name.remove_prefix(1);
      continue;
    }
    const std::size_t used = DecodeOne(name, codePoint);
    if (used == 0) {
      key.push_back(static_cast<char16_t>(byte));
      name.remove_prefix(1);
      continue;
    }
    AppendUtf16(key, NtfsUpper(codePoint));
    name.remove_prefix(used);
  }
  return key;
}

int CompareNames(std::string_view a, std::string_view b) {
  const int byKey = NameSortKey(a).compare(NameSortKey(b));
  if (byKey != 0) return byKey < 0 ? -1 : 1;
  const int byBytes = a.compare(b);
  return byBytes < 0 ? -1 : (byBytes > 0 ? 1 : 0);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpaceByte(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  while (!text.empty() && IsSpaceByte(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  return text;
}

std::string LowerCaseName(std::string_view name) {
  if (IsAscii(name) || !IsValidUtf8(name)) return AsciiLowerCase(name);
  return MapCodePoints(name, [](char32_t c) { return SimpleLower(c); });
}

std::string CaseFoldKey(std::string_view name) {
  if (IsAscii(name)) return AsciiLowerCase(name);
  // Upper then lower folds the variants that share one capital (ſ, ς,
  // the Kelvin sign) onto one small letter, without full folding's ß → ss.
  return MapCodePoints(name, [](char32_t c) { return SimpleLower(SimpleUpper(c)); });
}

}  // namespace mapio::platform
