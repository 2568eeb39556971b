// Windows: the user's data folder and the journal's file, by UTF-8 names.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/user_files.h"
#include "platform/wide_win32.h"

namespace mapio::platform {

std::optional<std::string> UserDataFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (local == nullptr || local[0] == L'\0') return std::nullopt;
  return Narrow(local) + "\\Mapio";
}

std::string CanonicalFolder(const std::string& path) {
  const std::wstring wide = SystemPath(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (wide.empty() || size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD used = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (used == 0 || used >= size) return path;
  full.resize(used);
  // Without the \\?\ a long path was given: the name people know.
  if (full.starts_with(L"\\\\?\\UNC\\"))
    full.replace(0, 8, L"\\\\");
  else if (full.starts_with(L"\\\\?\\"))
    full.erase(0, 4);
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return Narrow(full);
}

bool MakeFolders(const std::string& path) {
  for (std::size_t sep = path.find_first_of("\\/", 3);; sep = path.find_first_of("\\/", sep + 1)) {
    const std::string part = path.substr(0, sep);
    if (!CreateDirectoryW(SystemPath(part).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
    if (sep == std::string::npos) break;
  }
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::FILE* detail::OpenAppendFile(const std::string& path, bool create) {
  const int flags = _O_WRONLY | _O_BINARY | (create ? _O_CREAT | _O_EXCL : _O_APPEND);
  const int fd = _wopen(SystemPath(path).c_str(), flags, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _wfdopen(fd, create ? L"wb" : L"ab");
  if (file == nullptr) _close(fd);
  return file;
}

bool AppendFile::Sync() { return Flush() && _commit(_fileno(file_)) == 0; }

}  // namespace mapio::platform
