// Windows: reading files that are files, without waiting on a device or a
// pipe, and writing them whole or not at all. Line ends on disk are CR LF;
// in memory every CR LF is one LF. The conversion is done here rather than
// by the runtime's text mode, which would also end the file at the first
// Ctrl-Z byte and so lose whatever follows it when the file is saved again.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <set>
#include <utility>

#include "platform/files_detail.h"
#include "platform/atomic_writer.h"
#include "platform/files.h"
#include "platform/wide_win32.h"

namespace mapio::platform {

// --- reading --------------------------------------------------------------

namespace {

// Seconds between 1601, where Windows counts from, and 1970.
constexpr std::int64_t kEpochGap = 11644473600;

FileStamp StampFrom(const BY_HANDLE_FILE_INFORMATION& info) {
  const auto join = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  const std::uint64_t ticks = join(info.ftLastWriteTime.dwHighDateTime,
                                   info.ftLastWriteTime.dwLowDateTime);  // of 100 ns
  FileStamp stamp;
  stamp.device = info.dwVolumeSerialNumber;
  stamp.inode = join(info.nFileIndexHigh, info.nFileIndexLow);
  stamp.size = join(info.nFileSizeHigh, info.nFileSizeLow);
  stamp.modifiedSeconds = static_cast<std::int64_t>(ticks / 10000000) - kEpochGap;
  stamp.modifiedNanoseconds = static_cast<std::uint32_t>(ticks % 10000000) * 100;
  return stamp;
}

bool HasNul(const std::string& s) { return s.find('\0') != std::string::npos; }

bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesW(SystemPath(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

ReadResult OpenFailure(DWORD error, const std::string& path) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return ReadResult::Missing;
    case ERROR_ACCESS_DENIED:  // what a folder gives too
      return IsFolder(path) ? ReadResult::NotAFile : ReadResult::NoPermission;
    default: return ReadResult::Failed;
  }
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  if (path.empty() || HasNul(path)) return std::nullopt;
  // No access rights asked for: a file open elsewhere still answers.
  const HANDLE h = CreateFileW(SystemPath(path).c_str(), 0,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(h, &info) != 0;
  CloseHandle(h);
  if (!known) return std::nullopt;
  return StampFrom(info);
}

// GetFileType: a device or a pipe under the name is no file to read.
ReadResult detail::OpenForReading(const std::string& path, std::FILE*& file, FileStamp& stamp) {
  file = nullptr;
  if (path.empty() || HasNul(path)) return ReadResult::Missing;
  const HANDLE h = CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return OpenFailure(GetLastError(), path);
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    CloseHandle(h);
    return ReadResult::NotAFile;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    return ReadResult::Failed;
  }
  file = _fdopen(fd, "rb");
  if (file == nullptr) {
    _close(fd);
    return ReadResult::Failed;
  }
  stamp = StampFrom(info);
  return ReadResult::Ok;
}

// --- AtomicFileWriter -----------------------------------------------------

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// ".<name>.mapio-XXXXXX" beside the target, so the final move stays on
// one volume.
std::string TempPathFor(const std::string& target, unsigned serial) {
  static constexpr char kDigits[] =
      "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const std::size_t slash = target.find_last_of("\\/");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  // A name holds at most 255 characters and a path MAX_PATH - 1: the
  // target's name is cut to leave room for the 14 added ones.
  constexpr std::size_t kAdded = 1 + 13;
  const std::size_t used = nameStart + kAdded;
  const std::size_t inPath = MAX_PATH - 1 > used ? MAX_PATH - 1 - used : 1;
  const std::size_t room = std::max<std::size_t>(1, std::min<std::size_t>(255 - kAdded, inPath));
  std::string name = target.substr(nameStart);
  if (name.size() > room) name.resize(room);
  std::string path = target.substr(0, nameStart) + "." + name + ".mapio-";
  for (int i = 0; i < 6; ++i) {
    path.push_back(kDigits[serial % 62]);
    serial /= 62;
  }
  return path;
}

unsigned NextSerial() {
  static unsigned state = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
  state = state * 1664525u + 1013904223u;
  return state;
}

WriteFailure FailureOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return WriteFailure::FolderNotWritable;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return WriteFailure::NoSpace;
    default: return WriteFailure::IoError;
  }
}

// A new file that no one else can have opened: CREATE_NEW fails on any
// existing name, so a clash just draws another name.
std::FILE* CreateTemp(const std::string& target, std::string& tempPath, WriteFailure& failure) {
  failure = WriteFailure::IoError;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = TempPathFor(target, NextSerial());
    HANDLE h = CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      failure = FailureOf(error);
      return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
      CloseHandle(h);
      DeleteFileW(SystemPath(path).c_str());
      return nullptr;
    }
    tempPath = path;
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) _close(fd);
    return file;
  }
  return nullptr;
}

// The folder as a file of its own ("dir\."), for its identity.
std::string FolderOf(const std::string& target) {
  const std::size_t slash = target.find_last_of("\\/");
  return slash == std::string::npos ? "." : target.substr(0, slash + 1) + ".";
}

}  // namespace

// What an open for writing would say, without changing the file. A file
// marked read-only is refused even where the user could clear the mark.
WriteFailure detail::RefusalOf(const std::string& target) {
  if (HasNul(target)) return WriteFailure::IoError;
  const DWORD attributes = GetFileAttributesW(SystemPath(target).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return WriteFailure::None;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return WriteFailure::NotAFile;
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return WriteFailure::TargetReadOnly;
  const HANDLE h = CreateFileW(SystemPath(target).c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return WriteFailure::None;
    return error == ERROR_ACCESS_DENIED ? WriteFailure::TargetReadOnly : WriteFailure::IoError;
  }
  const DWORD type = GetFileType(h);
  CloseHandle(h);
  return type == FILE_TYPE_DISK ? WriteFailure::None : WriteFailure::NotAFile;
}

// A named mutex per folder, named by the folder's identity so that every
// path to it meets the same one; it makes no file in the pack. Local to
// the session: creating a global one takes a privilege.
namespace {

// The lock's name, from the folder's identity; "" when it has none.
std::string LockNameOf(const std::string& folderPath) {
  const HANDLE folder = CreateFileW(SystemPath(folderPath).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return {};
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(folder, &info) != 0;
  CloseHandle(folder);
  if (!known) return {};
  char name[64];
  std::snprintf(name, sizeof name, "Local\\Mapio-%08lx-%08lx%08lx",
                static_cast<unsigned long>(info.dwVolumeSerialNumber),
                static_cast<unsigned long>(info.nFileIndexHigh),
                static_cast<unsigned long>(info.nFileIndexLow));
  return name;
}

// The mutex of `name`, owned by this thread once `wait` allows; nullptr
// when it cannot be had. Abandoned: its last owner ended without letting
// go; it is ours now.
HANDLE OwnMutex(const std::string& name, DWORD wait, bool& busy) {
  busy = false;
  const HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return nullptr;
  const DWORD waited = WaitForSingleObject(mutex, wait);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return mutex;
  busy = waited == WAIT_TIMEOUT;
  CloseHandle(mutex);
  return nullptr;
}

void LetGo(std::intptr_t handle) {
  const HANDLE mutex = reinterpret_cast<HANDLE>(handle);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

// A mutex is its owning thread's again at every wait: the jobs of this
// process that hold one are known by name, so that a second job of the
// same folder on the same thread finds it taken.
std::mutex g_heldLock;
std::set<std::string> g_heldByJobs;

}  // namespace

detail::FolderLock::FolderLock(const std::string& target) {
  const std::string name = LockNameOf(FolderOf(target));
  bool busy = false;
  const HANDLE mutex = name.empty() ? nullptr : OwnMutex(name, INFINITE, busy);
  if (mutex != nullptr) handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

detail::FolderLock::~FolderLock() {
  if (handle_ != -1) LetGo(handle_);
}

FolderJobLock::State FolderJobLock::Take(const std::string& folder) {
  const std::string name = LockNameOf(folder);
  if (name.empty()) return State::Unknown;
  const std::lock_guard<std::mutex> guard(g_heldLock);
  if (g_heldByJobs.contains(name)) return State::Busy;
  bool busy = false;
  const HANDLE mutex = OwnMutex(name, 0, busy);
  if (mutex == nullptr) return busy ? State::Busy : State::Unknown;
  handle_ = reinterpret_cast<std::intptr_t>(mutex);
  name_ = name;
  g_heldByJobs.insert(name);
  return State::Held;
}

FolderJobLock::~FolderJobLock() {
  if (handle_ == -1) return;
  LetGo(handle_);
  const std::lock_guard<std::mutex> guard(g_heldLock);
  g_heldByJobs.erase(name_);
}

bool AtomicFileWriter::Open(const std::string& targetPath, FileMode mode,
                            const ExpectedTarget* expected) {
  Reset(targetPath, mode, expected);
  const WriteFailure refusal = detail::RefusalOf(targetPath);
  if (refusal != WriteFailure::None) return Fail(refusal);
  WriteFailure failure = WriteFailure::IoError;
  file_ = CreateTemp(targetPath, tempPath_, failure);
  if (file_ == nullptr) return Fail(failure);
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.reserve(kBufferSize + kBufferSize / 8);
  return true;
}

// In text mode every LF goes to disk as CR LF, as a text-mode stream writes it.
bool AtomicFileWriter::Write(std::string_view data) {
  if (file_ == nullptr || failed_) return false;
  // Binary: every byte as it is, a block at a time.
  while (mode_ == FileMode::Binary && !data.empty()) {
    const std::size_t take = std::min(data.size(), kBufferSize - buffer_.size());
    buffer_.append(data.substr(0, take));
    data.remove_prefix(take);
    if (buffer_.size() >= kBufferSize && !Flush()) return false;
  }
  for (const char c : data) {
    if (c == '\n' && mode_ == FileMode::Text) buffer_.push_back('\r');
    buffer_.push_back(c);
    if (buffer_.size() >= kBufferSize && !Flush()) return false;
  }
  return true;
}

bool detail::SyncForCommit(std::FILE* file, const std::string&) {
  return _commit(_fileno(file)) == 0;
}

WriteFailure detail::PutInPlace(const std::string& temp, const std::string& target) {
  if (MoveFileExW(SystemPath(temp).c_str(), SystemPath(target).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return WriteFailure::None;
  const DWORD error = GetLastError();
  const WriteFailure refusal = detail::RefusalOf(target);
  return refusal != WriteFailure::None ? refusal : FailureOf(error);
}

}  // namespace mapio::platform
