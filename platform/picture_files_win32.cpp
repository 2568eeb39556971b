// Windows: a folder's files opened by their UTF-8 names through the wide
// API. A link (a symbolic link, a junction) is opened as itself and
// refused, and so is whatever is not a file on a disk (a device name such
// as "CON.png").
#include <windows.h>

#include <cstdint>
#include <utility>

#include "platform/picture_files.h"
#include "platform/paths.h"

namespace mapio::platform {

namespace {

bool ToWide(std::string_view utf8, std::wstring& out) {
  out.clear();
  if (utf8.empty()) return true;
  const int length = static_cast<int>(utf8.size());
  const int wide =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (wide <= 0) return false;
  out.resize(static_cast<std::size_t>(wide));
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, out.data(),
                             wide) == wide;
}

// Only a plain name: no separator, no drive or stream after a colon.
bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("\\/:\0", 4)) == std::string_view::npos;
}

HANDLE OpenFile(const std::wstring& path, bool keepAccessTime, bool follow) {
  // Writing attributes is what lets the access time be kept (SetFileTime).
  const DWORD access = GENERIC_READ | (keepAccessTime ? FILE_WRITE_ATTRIBUTES : 0);
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, follow ? 0 : FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Not every reparse point is a link: a file synced from the cloud or
// deduplicated is one too, and is read through its filter as a plain file.
bool IsLink(HANDLE h) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  return !GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) ||
         IsReparseTagNameSurrogate(tag.ReparseTag);
}

FileStatus StatusOfFailedOpen(const std::wstring& path, DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return FileStatus::Missing;
    case ERROR_ACCESS_DENIED: {
      // Also what opening a folder without backup semantics gives.
      const DWORD attributes = GetFileAttributesW(path.c_str());
      const bool folder =
          attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      return folder ? FileStatus::NotAFile : FileStatus::Denied;
    }
    default: return FileStatus::Failed;
  }
}

enum class Kind { File, Reparse, Other };

Kind KindOf(HANDLE h, std::uint64_t& size) {
  if (GetFileType(h) != FILE_TYPE_DISK) return Kind::Other;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h, &info)) return Kind::Other;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Kind::Other;
  size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  return info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT ? Kind::Reparse : Kind::File;
}

// Opened as itself first; a reparse point that is no link again, through
// its filter. INVALID_HANDLE_VALUE with `refused` set for anything else.
// Through a link, what it leads to, which must be a file.
HANDLE OpenPlainFile(const std::wstring& path, bool keepAccessTime, bool throughLink,
                     std::uint64_t& size, bool& refused) {
  refused = false;
  HANDLE h = OpenFile(path, keepAccessTime, throughLink);
  if (h == INVALID_HANDLE_VALUE) return h;
  Kind kind = KindOf(h, size);
  if (kind == Kind::Reparse && !IsLink(h)) {
    CloseHandle(h);
    h = OpenFile(path, keepAccessTime, true);
    if (h == INVALID_HANDLE_VALUE) return h;
    kind = KindOf(h, size);
  }
  if (kind != Kind::File) {
    CloseHandle(h);
    refused = true;
    return INVALID_HANDLE_VALUE;
  }
  return h;
}

}  // namespace

FolderFiles::~FolderFiles() { Close(); }

bool FolderFiles::Open(const std::string& folder) {
  Close();
  std::wstring wide;
  if (folder.empty() || !ToWide(folder, wide)) return false;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return false;
  if (wide.back() != L'\\' && wide.back() != L'/') wide.push_back(L'\\');
  prefix_ = std::move(wide);
  open_ = true;
  keepAccessTime_ = true;
  return true;
}

void FolderFiles::Close() {
  prefix_.clear();
  open_ = false;
}

bool FolderFiles::IsOpen() const { return open_; }

FolderFile::~FolderFile() { Close(); }

FileStatus FolderFile::Open(const FolderFiles& folder, std::string_view name, bool throughLink) {
  Close();
  std::wstring wideName;
  if (!folder.IsOpen() || !IsPlainName(name) || !ToWide(name, wideName)) return FileStatus::Failed;
  const std::wstring path = folder.prefix_ + wideName;
  std::uint64_t size = 0;
  bool refused = false;
  HANDLE h = OpenPlainFile(path, folder.keepAccessTime_, throughLink, size, refused);
  if (h == INVALID_HANDLE_VALUE && !refused && GetLastError() == ERROR_ACCESS_DENIED &&
      folder.keepAccessTime_) {
    h = OpenPlainFile(path, false, throughLink, size, refused);
    if (h != INVALID_HANDLE_VALUE) folder.keepAccessTime_ = false;
  }
  if (refused) return FileStatus::NotAFile;
  if (h == INVALID_HANDLE_VALUE) return StatusOfFailedOpen(path, GetLastError());
  if (folder.keepAccessTime_) {
    // All ones: reads through this handle leave the access time as it is.
    FILETIME keep{0xFFFFFFFFu, 0xFFFFFFFFu};
    SetFileTime(h, nullptr, &keep, nullptr);
  }
  handle_ = h;
  size_ = size;
  return FileStatus::Read;
}

void FolderFile::Close() {
  if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  size_ = kUnknownSize;
}

// Known from the open, which refuses all but regular files.
bool FolderFile::IsRegular() { return handle_ != nullptr; }

std::uint64_t FolderFile::Size() { return size_; }

bool FolderFile::IsOpen() const { return handle_ != nullptr; }

std::ptrdiff_t FolderFile::ReadAt(std::uint64_t offset, std::span<char> buffer) {
  if (handle_ == nullptr) return -1;
  std::size_t done = 0;
  while (done < buffer.size()) {
    const std::uint64_t at = offset + done;
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(at);
    where.OffsetHigh = static_cast<DWORD>(at >> 32);
    const std::size_t left = buffer.size() - done;
    const DWORD ask = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(handle_), buffer.data() + done, ask, &got, &where)) {
      if (GetLastError() == ERROR_HANDLE_EOF) break;
      return -1;
    }
    if (got == 0) break;
    done += got;
  }
  return static_cast<std::ptrdiff_t>(done);
}

RenameResult RenameInFolder(const FolderFiles&, const std::string& folderPath,
                            std::string_view from, std::string_view to) {
  return RenameNoReplace(JoinPath(folderPath, from), JoinPath(folderPath, to));
}

}  // namespace mapio::platform
