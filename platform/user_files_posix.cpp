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
  // XDG_DATA_HOME by the XDG base directory rules: a relative path is ignored.
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

std::FILE* detail::OpenAppendFile(const std::string& path, bool create) {
  const int flags = O_WRONLY | O_CLOEXEC | (create ? O_CREAT | O_EXCL : O_APPEND);
  const int fd = open(path.c_str(), flags, 0600);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, create ? "wb" : "ab");
  if (file == nullptr) close(fd);
  return file;
}

bool AppendFile::Sync() { return Flush() && fsync(fileno(file_)) == 0; }

}  // namespace mapio::platform
