// Windows: the user's data folder and the journal's file, by UTF-8 names.
#include <windows.h>

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

// A reparse point in the journal's place (a link, a junction) is opened as
// itself and refused, never written through.
std::intptr_t detail::OpenAppendFile(const std::string& path, bool create) {
  const HANDLE h =
      CreateFileW(SystemPath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, create ? CREATE_NEW : OPEN_EXISTING,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return -1;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    CloseHandle(h);
    return -1;
  }
  return reinterpret_cast<std::intptr_t>(h);
}

namespace {

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::optional<std::uint64_t> detail::AppendFileSize(std::intptr_t handle) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(HandleOf(handle), &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::ptrdiff_t detail::ReadAppendFile(std::intptr_t handle, std::uint64_t at, char* buffer,
                                      std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at + done);
    where.OffsetHigh = static_cast<DWORD>((at + done) >> 32);
    DWORD got = 0;
    if (!ReadFile(HandleOf(handle), buffer + done, static_cast<DWORD>(size - done), &got, &where))
      return GetLastError() == ERROR_HANDLE_EOF ? static_cast<std::ptrdiff_t>(done) : -1;
    if (got == 0) break;
    done += got;
  }
  return static_cast<std::ptrdiff_t>(done);
}

// A mapping larger than the file makes the file that large first, and
// fails rather than a later write when the disk has no room.
char* detail::MapAppendWindow(std::intptr_t handle, std::uint64_t at) {
  const std::uint64_t end = at + AppendFile::kWindow;
  const HANDLE mapping =
      CreateFileMappingW(HandleOf(handle), nullptr, PAGE_READWRITE, static_cast<DWORD>(end >> 32),
                         static_cast<DWORD>(end), nullptr);
  if (mapping == nullptr) return nullptr;
  void* window = MapViewOfFile(mapping, FILE_MAP_WRITE, static_cast<DWORD>(at >> 32),
                               static_cast<DWORD>(at), AppendFile::kWindow);
  CloseHandle(mapping);  // the view keeps it
  return static_cast<char*>(window);
}

void detail::UnmapAppendWindow(char* window) { UnmapViewOfFile(window); }

bool detail::SyncAppendFile(std::intptr_t handle, char* window) {
  if (window != nullptr && !FlushViewOfFile(window, AppendFile::kWindow)) return false;
  return FlushFileBuffers(HandleOf(handle)) != 0;
}

bool detail::CloseAppendFile(std::intptr_t handle, std::optional<std::uint64_t> size) {
  bool cut = true;
  if (size) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(*size);
    cut = SetFilePointerEx(HandleOf(handle), at, nullptr, FILE_BEGIN) &&
          SetEndOfFile(HandleOf(handle));
  }
  return CloseHandle(HandleOf(handle)) && cut;
}

}  // namespace mapio::platform
