// The least a translate job can do: read config.xml, list the folder once to
// learn each picture's real name (letter case folded, extension found), then
// one no-replace rename per picture.
// Usage: floor_translate FOLDER
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Lower-cased base name -> the picture's real name.
std::unordered_map<std::string, std::string> ListPictures(const char* folder) {
  std::unordered_map<std::string, std::string> pictures;
  DIR* dir = opendir(folder);
  if (dir == nullptr) return pictures;
  while (const dirent* e = readdir(dir)) {
    std::string_view name = e->d_name;
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos) continue;
    std::string ext = Lower(name.substr(dot));
    if (ext != ".png" && ext != ".jpg" && ext != ".gif") continue;
    pictures.emplace(Lower(name.substr(0, dot)), std::string(name));
  }
  closedir(dir);
  return pictures;
}

// The from value and the ID of one record line; false for other lines.
bool ParseRecord(std::string_view line, std::string_view& from, std::string_view& id) {
  constexpr std::string_view kFrom = "<record from=\"";
  auto start = line.find(kFrom);
  if (start == std::string_view::npos) return false;
  start += kFrom.size();
  auto end = line.find('"', start);
  if (end == std::string_view::npos) return false;
  from = line.substr(start, end - start);
  auto digits = line.find_first_of("0123456789", end);
  if (digits == std::string_view::npos) return false;
  auto digitsEnd = line.find_first_not_of("0123456789", digits);
  id = line.substr(digits, digitsEnd - digits);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: floor_translate FOLDER\n");
    return 2;
  }
  const char* folder = argv[1];
  std::ifstream in(std::string(folder) + "/config.xml", std::ios::binary);
  if (!in) return 1;
  std::stringstream text;
  text << in.rdbuf();
  const std::string mapping = text.str();

  auto pictures = ListPictures(folder);
  int dir = open(folder, O_RDONLY | O_DIRECTORY);
  if (dir < 0) return 1;
  std::size_t renamed = 0, failed = 0;
  std::string_view rest = mapping;
  while (!rest.empty()) {
    auto eol = rest.find('\n');
    std::string_view line = rest.substr(0, eol);
    rest = eol == std::string_view::npos ? std::string_view{} : rest.substr(eol + 1);
    std::string_view from, id;
    if (!ParseRecord(line, from, id)) continue;
    auto found = pictures.find(Lower(from));
    if (found == pictures.end()) {
      ++failed;
      continue;
    }
    const std::string& oldName = found->second;
    std::string newName = std::string(id) + oldName.substr(oldName.rfind('.'));
    if (renameat2(dir, oldName.c_str(), dir, newName.c_str(), RENAME_NOREPLACE) == 0) {
      ++renamed;
      pictures.erase(found);
    } else {
      ++failed;
    }
  }
  close(dir);
  std::printf("renamed %zu, failed %zu\n", renamed, failed);
  return failed == 0 ? 0 : 1;
}
