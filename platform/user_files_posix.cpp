// Linux and macOS: the user's data folder and the journal's file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/user_files.h"

namespace mapio::platform {

std::optional<std::string> UserDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  // The specification of XDG_DATA_HOME: a relative path is to be ignored.
  if (data != nullptr && data[0] == '/') return std::string(data) + "/mapio";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return std::nullopt;
  return std::string(home) + "/.local/share/mapio";
}

std::string CanonicalFolder(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string canonical(resolved);
  std::free(resolved);
  return canonical;
}

bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::time_t Now() { return std::time(nullptr); }

std::string TimeText(std::time_t when) {
  std::tm parts{};
  gmtime_r(&when, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

bool AppendFile::Create(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    close(fd);
    return false;
  }
  good_ = true;
  return true;
}

bool AppendFile::Open(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return false;
  file_ = fdopen(fd, "ab");
  if (file_ == nullptr) {
    close(fd);
    return false;
  }
  good_ = true;
  return true;
}

bool AppendFile::Sync() { return Flush() && fsync(fileno(file_)) == 0; }

}  // namespace mapio::platform
