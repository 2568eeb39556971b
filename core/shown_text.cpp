#include "core/shown_text.h"

#include "core/name_list.h"

namespace mapio {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

void AppendShown(std::string& out, std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  // Most names hold no control character: each run up to one is copied at once.
  std::size_t from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!IsControl(c)) continue;
    out.append(text.substr(from, i - from));
    from = i + 1;
    const std::string_view named = c == '\n' ? "\\n" : c == '\r' ? "\\r" : c == '\t' ? "\\t" : "";
    if (!named.empty())
      out.append(named);
    else
      out.append("\\x").append(1, kHex[c >> 4]).append(1, kHex[c & 15]);
  }
  out.append(text.substr(from));
}

std::string Shown(std::string_view text) {
  std::string out;
  AppendShown(out, text);
  return out;
}

void AppendNames(std::string& text, const NameList& names) {
  for (const std::string& name : names.first) AppendShown(text += '\n', name);
  if (names.count > names.first.size())
    text += "\nand " + std::to_string(names.count - names.first.size()) + " more";
}

}  // namespace mapio
