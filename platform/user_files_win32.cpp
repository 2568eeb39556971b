// Windows: the user's data folder and the journal's file.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstdlib>

#include "platform/user_files.h"

namespace mapio::platform {

std::optional<std::string> UserDataFolder() {
  const char* local = std::getenv("LOCALAPPDATA");
  if (local == nullptr || local[0] == '\0') return std::nullopt;
  return std::string(local) + "\\Mapio";
}

bool MakeFolders(const std::string& path) {
  for (std::size_t sep = path.find_first_of("\\/", 3);; sep = path.find_first_of("\\/", sep + 1)) {
    const std::string part = path.substr(0, sep);
    if (!CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
    if (sep == std::string::npos) break;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

std::time_t Now() { return std::time(nullptr); }

std::string TimeText(std::time_t when) {
  std::tm parts{};
  gmtime_s(&parts, &when);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

bool AppendFile::Create(const std::string& path) {
  const int fd =
      _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return false;
  file_ = _fdopen(fd, "wb");
  if (file_ == nullptr) {
    _close(fd);
    return false;
  }
  good_ = true;
  return true;
}

bool AppendFile::Open(const std::string& path) {
  const int fd = _open(path.c_str(), _O_WRONLY | _O_APPEND | _O_BINARY);
  if (fd < 0) return false;
  file_ = _fdopen(fd, "ab");
  if (file_ == nullptr) {
    _close(fd);
    return false;
  }
  good_ = true;
  return true;
}

bool AppendFile::Sync() { return Flush() && _commit(_fileno(file_)) == 0; }

}  // namespace mapio::platform
