// The least a make job can do: two listing passes (count, then collect), a
// sort and one buffered write of config.xml. IDs come from the file names.
// Usage: floor_make FOLDER
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/record_template.h"

namespace {

bool IsCandidate(const dirent* e) {
  if (e->d_type == DT_DIR) return false;
  std::string_view name = e->d_name;
  return name != "." && name != ".." && name != "config.xml";
}

// Calls `visit` for every candidate; false when the folder cannot be read.
template <typename Visit>
bool ListPass(const char* folder, Visit visit) {
  DIR* dir = opendir(folder);
  if (dir == nullptr) return false;
  while (const dirent* e = readdir(dir))
    if (IsCandidate(e)) visit(e->d_name);
  closedir(dir);
  return true;
}

void AppendRecord(std::string& out, const std::string& fileName) {
  std::string base = fileName;
  if (auto dot = base.rfind('.'); dot != std::string::npos) {
    base.resize(dot);
    for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  auto id = static_cast<unsigned>(std::atoi(base.c_str()));
  out += "\t\t<record from=\"";
  out += base;
  out += "\" to=\"graphics/pictures/person/";
  out += std::to_string(id);
  out += "/portrait\"/>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor_make FOLDER\n");
    return 2;
  }
  const char* folder = argv[1];
  std::size_t expected = 0;
  if (!ListPass(folder, [&](const char*) { ++expected; })) return 1;
  std::vector<std::string> names;
  names.reserve(expected);
  if (!ListPass(folder, [&](const char* name) { names.emplace_back(name); })) return 1;
  std::sort(names.begin(), names.end());

  std::string out(mapio::MappingHeader);
  out.reserve(out.size() + names.size() * 80);
  for (const auto& name : names) AppendRecord(out, name);
  out += mapio::MappingTrailer;

  std::string path = std::string(folder) + "/config.xml";
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return 1;
  bool ok = write(fd, out.data(), out.size()) == static_cast<ssize_t>(out.size());
  ok = close(fd) == 0 && ok;
  std::printf("%zu files\n", names.size());
  return ok ? 0 : 1;
}
