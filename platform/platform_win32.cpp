// Windows: folder search, current directory, file identity and renames
// through the wide ("W") functions; names are UTF-8 on this side of them.
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text.h"

#include <windows.h>
#include <direct.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>

#include "platform/picture_files.h"
#include "platform/user_files.h"
#include "platform/wide_win32.h"

namespace mapio::platform {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
// CreateDirectory's own limit, a little below MAX_PATH: from here on a path
// goes behind the prefix.
constexpr std::size_t kLongPathFrom = MAX_PATH - 12;

// The system's own reading of a path: the current folder, '/', "." and
// "..". Behind the prefix a path is taken as it is, so it must be full.
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD used = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (used == 0 || used >= size) return path;
  full.resize(used);
  return full;
}

bool HasNul(const std::string& s) { return s.find('\0') != std::string::npos; }

bool IsSlash(char c) { return c == '\\' || c == '/'; }

std::string_view LastName(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

DWORD Attributes(const std::string& path) {
  if (path.empty() || HasNul(path)) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(SystemPath(path).c_str());
}

struct FindCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};
using FindHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// Volume serial number and file index: what NTFS keeps per file, the
// Windows counterpart of device and inode.
bool IdentityOfPath(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  if (path.empty() || HasNul(path)) return false;
  // No access rights are asked for, so a file open elsewhere still answers;
  // backup semantics let a folder be opened too.
  FileHandle h(CreateFileW(SystemPath(path).c_str(), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (h.get() == INVALID_HANDLE_VALUE) {
    h.release();
    return false;
  }
  return GetFileInformationByHandle(h.get(), &info) != 0;
}

}  // namespace

std::wstring SystemPath(const std::string& path) {
  std::u16string units;
  if (!ToUtf16(path, units)) return {};
  std::wstring wide(units.begin(), units.end());
  if (wide.size() < kLongPathFrom || wide.starts_with(kLongPrefix) || wide.starts_with(L"\\\\.\\"))
    return wide;
  wide = FullPath(wide);
  if (wide.starts_with(L"\\\\")) return std::wstring(kLongPrefix) + L"UNC" + wide.substr(1);
  return std::wstring(kLongPrefix) + wide;
}

bool IsAbsolutePath(std::string_view path) {
  // "C:\x" and "\\server\share" are absolute. "\x" (root of the current
  // drive) and "C:x" (current folder of drive C) are not relative to the
  // current folder either, so they too are taken as they are.
  if (!path.empty() && IsSlash(path.front())) return true;
  return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

namespace {

// A link or junction to a folder is a folder to the user. Not every
// reparse point is a link: a file synced from the cloud is one too.
EntryKind KindOfFound(DWORD attributes, DWORD reparseTag) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryKind::Directory;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsReparseTagNameSurrogate(reparseTag))
    return EntryKind::Link;
  return EntryKind::File;
}

// FAT and exFAT number a file by where its entry stands in its folder:
// a rename may give it another number.
bool NumbersLast(HANDLE h) {
  wchar_t system[MAX_PATH + 1] = {};
  if (!GetVolumeInformationByHandleW(h, nullptr, 0, nullptr, nullptr, nullptr, system,
                                     MAX_PATH + 1))
    return true;
  const std::wstring_view name = system;
  return !name.starts_with(L"FAT") && name != L"exFAT";
}

// The path the system finally opened, links resolved; "" when unknown.
std::wstring FinalPath(HANDLE h) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD got = GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), 0);
  if (got >= path.size()) {
    path.resize(got);
    got = GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), 0);
  }
  if (got == 0 || got >= path.size()) return {};
  path.resize(got);
  return path;
}

FileHandle OpenFollowing(const std::string& path) {
  // No access rights asked: only what the handle leads to is wanted.
  FileHandle h(CreateFileW(SystemPath(path).c_str(), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (h.get() == INVALID_HANDLE_VALUE) h.release();
  return h;
}

}  // namespace

LinkEnd FollowLink(const std::string& path, const std::string& root) {
  LinkEnd end;
  if (HasNul(path) || HasNul(root)) return end;
  const FileHandle target = OpenFollowing(path);
  if (!target) return end;
  BY_HANDLE_FILE_INFORMATION info{};
  switch (GetFileType(target.get())) {
    case FILE_TYPE_DISK:
      if (!GetFileInformationByHandle(target.get(), &info)) return end;
      end.kind =
          info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? EntryKind::Directory : EntryKind::File;
      break;
    case FILE_TYPE_CHAR: end.kind = EntryKind::Device; break;
    case FILE_TYPE_PIPE: end.kind = EntryKind::Fifo; break;
    default: return end;
  }
  const FileHandle folder = OpenFollowing(root);
  std::wstring inside = folder ? FinalPath(folder.get()) : std::wstring();
  if (inside.empty()) return end;
  if (inside.back() != L'\\') inside.push_back(L'\\');
  end.inside = FinalPath(target.get()).starts_with(inside);
  return end;
}

bool ListFolder(const std::string& folder, FolderListing& entries, ListOrder order) {
  entries.Clear();
  if (HasNul(folder)) return false;
  const std::string pattern = JoinPath(folder, "*");
  WIN32_FIND_DATAW data;
  FindHandle search(FindFirstFileW(SystemPath(pattern).c_str(), &data));
  if (search.get() == INVALID_HANDLE_VALUE) {
    search.release();
    // A drive's root has no "." entry, so an empty root finds nothing.
    return GetLastError() == ERROR_FILE_NOT_FOUND && IsDirectory(folder);
  }
  do {
    const std::wstring_view name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.Add(Narrow(name), KindOfFound(data.dwFileAttributes, data.dwReserved0));
  } while (FindNextFileW(search.get(), &data));
  if (GetLastError() != ERROR_NO_MORE_FILES) {
    entries.Clear();
    return false;
  }
  if (order == ListOrder::ByName) entries.SortByName();
  return true;
}

// The folder's entries with their file indexes, read from the folder
// itself: a search by pattern gives no index.
bool ListFolderNumbered(const std::string& folder, FolderListing& entries) {
  entries.Clear();
  if (HasNul(folder)) return false;
  const FileHandle dir(CreateFileW(SystemPath(folder).c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (dir.get() == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(dir.get(), &info))
    entries.KeepNumbers(info.dwVolumeSerialNumber, NumbersLast(dir.get()));
  constexpr std::size_t kBuffer = 64 * 1024;
  const std::unique_ptr<std::uint64_t[]> buffer(new std::uint64_t[kBuffer / 8]);
  while (GetFileInformationByHandleEx(dir.get(), FileIdBothDirectoryInfo, buffer.get(), kBuffer)) {
    const char* at = reinterpret_cast<const char*>(buffer.get());
    for (;;) {
      const auto* e = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
      const std::wstring_view name(e->FileName, e->FileNameLength / sizeof(wchar_t));
      // For a reparse point the size of its extended attributes is its tag.
      if (name != L"." && name != L"..")
        entries.Add(Narrow(name), KindOfFound(e->FileAttributes, e->EaSize),
                    static_cast<std::uint64_t>(e->FileId.QuadPart));
      if (e->NextEntryOffset == 0) break;
      at += e->NextEntryOffset;
    }
  }
  const DWORD error = GetLastError();
  if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND) {
    entries.Clear();
    return false;
  }
  return true;
}

std::optional<EntryLook> LookInFolder(const FolderFiles& folder, std::string_view name) {
  std::u16string wide;
  if (!folder.open_ || name.empty() ||
      name.find_first_of(std::string_view("\\/:\0", 4)) != std::string_view::npos ||
      !ToUtf16(name, wide))
    return std::nullopt;
  const std::wstring path = folder.prefix_ + std::wstring(wide.begin(), wide.end());
  const FileHandle h(CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (h.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h.get(), &info)) return std::nullopt;
  EntryLook look;
  FILE_ATTRIBUTE_TAG_INFO tag{};
  GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &tag, sizeof tag);
  look.kind = GetFileType(h.get()) == FILE_TYPE_DISK
                  ? KindOfFound(info.dwFileAttributes, tag.ReparseTag)
                  : EntryKind::Device;
  if (NumbersLast(h.get()))
    look.identity =
        FileIdentity{info.dwVolumeSerialNumber,
                     (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return look;
}

void UseLargePages(char**) {}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

namespace {

UINT g_consoleCodePage = 0;

void RestoreConsole() { SetConsoleOutputCP(g_consoleCodePage); }

}  // namespace

// The console keeps its code page after the program: it gets its own back.
void UseUtf8Console() {
  const UINT current = GetConsoleOutputCP();
  if (current == 0 || current == CP_UTF8 || g_consoleCodePage != 0) return;
  if (!SetConsoleOutputCP(CP_UTF8)) return;
  g_consoleCodePage = current;
  std::atexit(RestoreConsole);
}

std::string CurrentDirectory() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::wstring dir(needed, L'\0');
  const DWORD used = GetCurrentDirectoryW(needed, dir.data());
  dir.resize(used < needed ? used : 0);
  return Narrow(dir);
}

bool RemoveFile(const std::string& path) { return DeleteFileW(SystemPath(path).c_str()) != 0; }

bool FileExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A reparse point is a link when its tag says so; others (a cloud file's
// placeholder) are what they hold.
bool IsSymbolicLink(const std::string& path) {
  const DWORD a = Attributes(path);
  if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
  WIN32_FIND_DATAW data;
  const HANDLE found = FindFirstFileW(SystemPath(path).c_str(), &data);
  if (found == INVALID_HANDLE_VALUE) return false;
  FindClose(found);
  return data.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
         data.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT;
}

bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION ia;
  BY_HANDLE_FILE_INFORMATION ib;
  if (!IdentityOfPath(a, ia) || !IdentityOfPath(b, ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

RenameResult RenameNoReplace(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty() || HasNul(from) || HasNul(to)) return RenameResult::Failed;
  // MoveFileEx takes a file onto its own name as done; that name is taken,
  // as on every other system. A change of case only is a real rename.
  if (LastName(from) == LastName(to) && SameFile(from, to)) return RenameResult::TargetExists;
  // Without MOVEFILE_REPLACE_EXISTING a move never replaces a file, as
  // the runtime's rename on Windows.
  if (MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), 0))
    return RenameResult::Renamed;
  const DWORD error = GetLastError();
  if (!FileExists(from)) return RenameResult::SourceMissing;
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
    return RenameResult::TargetExists;
  }
  // Some file systems answer "access denied" for an existing target.
  if (FileExists(to) && !SameFile(from, to)) return RenameResult::TargetExists;
  return RenameResult::Failed;
}

// The system heap gives large blocks pages of their own by itself.
void KeepLargeBlocksApart() {}

}  // namespace mapio::platform
