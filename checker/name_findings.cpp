#include "checker/name_findings.h"

#include <array>

namespace mapio::checker {

namespace {

using platform::EntryKind;

std::string_view KindText(EntryKind kind) {
  switch (kind) {
    case EntryKind::Fifo: return "a FIFO (named pipe)";
    case EntryKind::Device: return "a device";
    case EntryKind::Socket: return "a socket";
    case EntryKind::Directory: return "a folder";
    case EntryKind::File:
    case EntryKind::Link: break;
  }
  return "no file";
}

bool SameLetters(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != upper[i]) return false;
  }
  return true;
}

// The devices Windows opens by these names, in any folder and with any
// extension ("con.png", "Com1.tar.gz"); spaces before the dot do not help.
std::string_view DeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"})
    if (SameLetters(base, device)) return base;
  const bool numbered = base.size() == 4 && base[3] >= '1' && base[3] <= '9';
  if (numbered && (SameLetters(base.substr(0, 3), "COM") || SameLetters(base.substr(0, 3), "LPT")))
    return base;
  return {};
}

// The bytes no Windows name may hold, one look each for half a million names.
constexpr std::array<bool, 256> kRefusedBytes = [] {
  std::array<bool, 256> refused{};
  for (int c = 0; c < 0x20; ++c) refused[c] = true;
  for (const char c : std::string_view("<>:\"|?*\\")) refused[static_cast<unsigned char>(c)] = true;
  return refused;
}();

// Why Windows refuses the name, "" when it does not.
std::string Refused(std::string_view name) {
  if (const std::string_view device = DeviceName(name); !device.empty())
    return std::string("\"").append(device).append("\" is the name of a device there");
  for (const char c : name) {
    if (!kRefusedBytes[static_cast<unsigned char>(c)]) continue;
    if (static_cast<unsigned char>(c) < 0x20) return "it holds a control character";
    if (c == '"') return "it holds a quotation mark, which Windows keeps for itself";
    return std::string("it holds a \"") + c + "\", which Windows keeps for itself";
  }
  if (!name.empty() && name.back() == '.') return "it ends in a dot";
  if (!name.empty() && name.back() == ' ') return "it ends in a space";
  return {};
}

}  // namespace

std::string NotAFileDetail(const pack::PackEntry& entry) {
  std::string what;
  if (!entry.link)
    what = KindText(entry.kind);
  else if (entry.kind == EntryKind::File)
    what = "a link leading out of the pack";
  else if (entry.kind == EntryKind::Link)
    what = "a link leading to nothing";
  else
    what = "a link to " + std::string(KindText(entry.kind));
  return what + ", not a picture: make and update pass it over";
}

std::string WindowsNameDetail(std::string_view name) {
  const std::string why = Refused(name);
  return why.empty() ? why : "Windows cannot open this name: " + why;
}

std::string WindowsFolderDetail(std::string_view recordName) {
  for (std::size_t start = 0;;) {
    const std::size_t slash = recordName.find('/', start);
    if (slash == std::string_view::npos) return {};
    const std::string_view folder = recordName.substr(start, slash - start);
    const bool itself = folder.empty() || folder == "." || folder == "..";
    if (const std::string why = itself ? "" : Refused(folder); !why.empty())
      return "Windows cannot open the folder \"" + std::string(folder) + "\" of this name: " + why;
    start = slash + 1;
  }
}

}  // namespace mapio::checker
