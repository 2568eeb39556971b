// Whole-file reads and writes for the fuzz targets' scratch folders.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

namespace mapio::fuzz {

inline void WriteFile(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A new folder under the system's temporary one.
inline std::filesystem::path MakeScratchFolder(std::string_view prefix) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) std::abort();
  return pattern;
}

// Every entry under `root` with its contents ("<dir>" for folders), but the
// files right in `passOver`.
inline std::map<std::string, std::string> Entries(const std::filesystem::path& root,
                                                  const std::filesystem::path& passOver = {}) {
  std::map<std::string, std::string> seen;
  for (auto it = std::filesystem::recursive_directory_iterator(root);
       it != std::filesystem::recursive_directory_iterator(); ++it) {
    const std::filesystem::path& p = it->path();
    if (!passOver.empty() && p.parent_path() == passOver && !it->is_directory()) continue;
    seen[p.string()] = it->is_directory() ? "<dir>" : ReadFile(p);
  }
  return seen;
}

}  // namespace mapio::fuzz
