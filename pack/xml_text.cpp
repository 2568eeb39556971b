#include "pack/xml_text.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "platform/text.h"

namespace mapio::pack {

namespace {

// Control characters are taken as references (as XML 1.1 and common
// readers take them): names that hold them are written so.
bool IsReferableChar(std::uint32_t c) {
  return (c >= 0x1 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// The character a reference such as "#38" or "#x26" stands for.
bool CharacterReference(std::string_view body, std::uint32_t& c) {
  if (body.size() < 2 || body[0] != '#') return false;
  int base = 10;
  body.remove_prefix(1);
  if (body[0] == 'x') {
    base = 16;
    body.remove_prefix(1);
  }
  if (body.empty()) return false;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), c, base);
  return ec == std::errc{} && end == body.data() + body.size() && IsReferableChar(c);
}

bool NamedEntity(std::string_view body, char& c) {
  constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [name, value] : kNamed) {
    if (body == name) {
      c = value;
      return true;
    }
  }
  return false;
}

}  // namespace

// One look-up a byte: every record's name and target come here.
bool NeedsDecoding(std::string_view raw) {
  static constexpr auto kDecoded = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'&', '<', '\t', '\n', '\r'}) table[c] = true;
    return table;
  }();
  bool found = false;
  for (const char c : raw) found |= kDecoded[static_cast<unsigned char>(c)];
  return found;
}

std::string EscapeAttribute(std::string_view name) {
  const auto special = [](unsigned char c) { return c == '&' || c == '<' || c == '"' || c < 0x20; };
  std::string out;
  out.reserve(name.size());
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (!special(c)) {
      out += ch;
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '"') {
      out += "&quot;";
    } else {
      out.append("&#").append(std::to_string(c)).append(";");
    }
  }
  return out;
}

void DecodeAttribute(std::string_view raw, std::string& out, XmlFault& fault) {
  // Most values hold nothing to decode.
  if (!NeedsDecoding(raw)) {
    out.assign(raw);
    return;
  }
  out.clear();
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '<' && !fault.what) fault = {"\"<\" in an attribute value", i};
    // A line end (CR LF as one) or tab written as it is reads as a blank.
    if (c == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    if (c == '\t' || c == '\n' || c == '\r') {
      out += ' ';
      continue;
    }
    if (c != '&') {
      out += c;
      continue;
    }
    const std::size_t semicolon = raw.find(';', i + 1);
    const std::string_view body = semicolon == std::string_view::npos
                                      ? std::string_view()
                                      : raw.substr(i + 1, semicolon - i - 1);
    char named = 0;
    std::uint32_t code = 0;
    if (NamedEntity(body, named)) {
      out += named;
    } else if (CharacterReference(body, code)) {
      platform::AppendUtf8(out, static_cast<char32_t>(code));
    } else {
      if (!fault.what) fault = {"\"&\" that starts no entity (write it as &amp;)", i};
      out += c;
      continue;
    }
    i = semicolon;
  }
}

}  // namespace mapio::pack
