#include "tests/support/temp_folder.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace mapio::testing {

fs::path Utf8Path(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8String(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

TempFolder::TempFolder() {
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = fs::temp_directory_path() / ("mapio-test-" + std::to_string(rd()));
    if (fs::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

void TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  auto p = path_ / Utf8Path(relative);
  fs::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + Utf8String(p));
}

void TempFolder::MakeDir(std::string_view relative) const {
  fs::create_directories(path_ / Utf8Path(relative));
}

std::string TempFolder::Read(std::string_view relative) const {
  std::ifstream in(path_ / Utf8Path(relative), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + Utf8String(path_ / Utf8Path(relative)));
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string TempFolder::ReadText(std::string_view relative) const {
  std::string bytes = Read(relative);
#ifdef _WIN32
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return bytes;
    text.push_back(bytes[i]);
  }
  return text;
#else
  return bytes;
#endif
}

bool TempFolder::Exists(std::string_view relative) const {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path_ / Utf8Path(relative), ec));
}

std::vector<std::string> TempFolder::List(std::string_view relative) const {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(path_ / Utf8Path(relative)))
    names.push_back(Utf8String(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace mapio::testing
