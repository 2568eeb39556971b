// Conversions between UTF-8, UTF-16 and Windows-1252, the same on every
// system: Windows' wide functions speak UTF-16, Mapio speaks UTF-8.
#include <array>

#include "platform/text.h"

namespace mapio::platform {

namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The three bytes UTF-8 would give a surrogate's value, as FromUtf16
// writes a lone one: ED A0..BF 80..BF.
bool IsEncodedSurrogate(std::string_view text, std::size_t pos, char32_t& unit) {
  if (pos + 3 > text.size()) return false;
  const auto b0 = static_cast<unsigned char>(text[pos]);
  const auto b1 = static_cast<unsigned char>(text[pos + 1]);
  const auto b2 = static_cast<unsigned char>(text[pos + 2]);
  if (b0 != 0xED || b1 < 0xA0 || b1 > 0xBF || (b2 & 0xC0) != 0x80) return false;
  unit = 0xD000 | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
  return true;
}

// 0x80 to 0x9F; the unused five keep their own value.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (unit < 0x80) {
      out.push_back(static_cast<char>(unit));
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
    } else {
      AppendUtf8(out, unit);  // a lone surrogate too
    }
  }
  return out;
}

bool ToUtf16(std::string_view text, std::u16string& out) {
  out.clear();
  out.reserve(text.size());
  bool valid = true;
  bool afterLoneHigh = false;
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80) {
      out.push_back(static_cast<char16_t>(c));
      ++pos;
      afterLoneHigh = false;
      continue;
    }
    std::size_t length = Utf8Length(text, pos, c);
    const bool lone = length == 0 && IsEncodedSurrogate(text, pos, c);
    // A pair written as two lone halves is no form FromUtf16 gives: the
    // same name would have two spellings.
    if (lone && afterLoneHigh && IsLowSurrogate(c))
      length = 0;
    else if (lone)
      length = 3;
    afterLoneHigh = lone && IsHighSurrogate(c);
    if (length == 0) {
      out.push_back(u'\uFFFD');
      valid = false;
      ++pos;
      continue;
    }
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
    pos += length;
  }
  return valid;
}

char32_t Windows1252CodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

}  // namespace mapio::platform
