#include "pack/names.h"

#include <array>
#include <cstddef>

#include "platform/atomic_writer.h"
#include "platform/paths.h"

namespace mapio::pack {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

int PictureExtensionOf(std::string_view fileName) {
  if (fileName.size() <= kExtensionLength) return -1;
  const std::string_view tail = fileName.substr(fileName.size() - kExtensionLength);
  for (int i = 0; i < static_cast<int>(std::size(kPictureExtensions)); ++i) {
    bool same = true;
    for (std::size_t k = 0; k < kExtensionLength && same; ++k)
      same = LowerAscii(tail[k]) == kPictureExtensions[i][k];
    if (same) return i;
  }
  return -1;
}

const char* LeavesFolder(std::string_view name) {
  constexpr bool kWindowsNames = platform::kSeparator == '\\';
  if (name.empty()) return nullptr;
  if (name.size() >= 2 && name[1] == ':' && IsAsciiLetter(name[0])) return "it names a drive";
  if (name[0] == '/' || platform::IsAbsolutePath(name)) return "it is an absolute path";
  if (name.find('\\') != std::string_view::npos)
    return "it holds a \"\\\", which Windows takes for a folder separator";
  if (kWindowsNames && name.find(':') != std::string_view::npos)
    return "it holds a \":\", which Windows takes for a drive or a stream";
  if (name.find('\0') != std::string_view::npos) return "it holds a NUL character";
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find('/', start);
    if (end == std::string_view::npos) end = name.size();
    if (name.substr(start, end - start) == "..") return "it climbs out of the folder with \"..\"";
    start = end + 1;
  }
  return nullptr;
}

bool IsLeftover(std::string_view name) { return platform::IsTemporaryName(name, "config.xml"); }

bool NamesFileInFolder(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // Most names hold none of the characters the rules look at: one pass
  // tells, without a search per rule.
  static constexpr auto kLooked = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'/', '\\', ':', '\0'}) table[c] = true;
    return table;
  }();
  bool special = false;
  for (const char c : name) special |= kLooked[static_cast<unsigned char>(c)];
  return !special || (LeavesFolder(name) == nullptr && name.find('/') == std::string_view::npos);
}

}  // namespace mapio::pack
