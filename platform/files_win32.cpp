// Windows: writing files whole or not at all. Line ends on disk are CR LF;
// in memory every CR LF is one LF. The conversion is done here rather than
// by the runtime's text mode, which would also end the file at the first
// Ctrl-Z byte and so lose whatever follows it when the file is saved again.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "platform/platform.h"
#include "platform/wide_win32.h"

namespace mapio::platform {

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

// A new file that no one else can have opened: CREATE_NEW fails on any
// existing name, so a clash just draws another name.
std::FILE* CreateTemp(const std::string& target, std::string& tempPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = TempPathFor(target, NextSerial());
    HANDLE h = CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
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

// What an open for writing would say, without changing the file: a target
// that is missing may be created, one that exists must be writable.
bool MayReplace(const std::string& target) {
  HANDLE h = CreateFileW(SystemPath(target).c_str(), GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  CloseHandle(h);
  return true;
}

}  // namespace

bool AtomicFileWriter::Open(const std::string& targetPath, FileMode mode) {
  Reset(targetPath, mode);
  const bool plainPath = targetPath.find('\0') == std::string::npos;
  targetRefused_ = plainPath && !MayReplace(targetPath);
  if (plainPath && !targetRefused_) file_ = CreateTemp(targetPath, tempPath_);
  if (file_ == nullptr) {
    Abort();
    failed_ = true;
    return false;
  }
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.reserve(kBufferSize + kBufferSize / 8);
  return true;
}

// In text mode every LF goes to disk as CR LF, as a text-mode stream writes it.
bool AtomicFileWriter::Write(std::string_view data) {
  if (file_ == nullptr || failed_) return false;
  for (const char c : data) {
    if (c == '\n' && mode_ == FileMode::Text) buffer_.push_back('\r');
    buffer_.push_back(c);
    if (buffer_.size() >= kBufferSize && !Flush()) return false;
  }
  return true;
}

bool AtomicFileWriter::Commit() {
  if (file_ == nullptr) return false;
  bool ok = Flush() && std::fflush(file_) == 0;
  ok = ok && _commit(_fileno(file_)) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  // The target may have changed while the file was written.
  targetRefused_ = ok && closed && !MayReplace(targetPath_);
  ok = ok && closed && !targetRefused_ &&
       MoveFileExW(SystemPath(tempPath_).c_str(), SystemPath(targetPath_).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!ok) {
    failed_ = true;
    Abort();
    return false;
  }
  tempPath_.clear();
  return true;
}

}  // namespace mapio::platform
