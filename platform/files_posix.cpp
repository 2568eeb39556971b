// Linux and macOS: writing files whole or not at all.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace mapio::platform {

// --- AtomicFileWriter -----------------------------------------------------

namespace {

// Large enough that 200,000 short records take a few dozen writes.
constexpr std::size_t kBufferSize = 1 << 20;
// Longest name most file systems take.
constexpr std::size_t kMaxNameLength = 255;

// ".<name>.mapio-XXXXXX" in the target's own folder, so that the final
// rename stays on one file system.
std::string TempTemplateFor(const std::string& target) {
  constexpr std::string_view kSuffix = ".mapio-XXXXXX";
  const std::size_t slash = target.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = target.substr(nameStart);
  const std::size_t room = kMaxNameLength - 1 - kSuffix.size();
  if (name.size() > room) name.resize(room);
  return target.substr(0, nameStart) + "." + name + std::string(kSuffix);
}

// The mode a new file gets from open(…, 0666): mkstemp's 0600 is stricter
// than what the user would expect of a file the program writes.
mode_t DefaultFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

mode_t ModeForTarget(const std::string& target) {
  struct stat st {};
  if (stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  return DefaultFileMode();
}

// What an open for writing would say, without changing the file: a target
// that is missing may be created, one that exists must be writable.
bool MayReplace(const std::string& target) {
  const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  close(fd);
  return true;
}

// So that the rename itself survives a crash.
void SyncFolderOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool AtomicFileWriter::Open(const std::string& targetPath, FileMode mode) {
  Reset(targetPath, mode);
  targetRefused_ = !MayReplace(targetPath);
  if (targetRefused_) {
    failed_ = true;
    return false;
  }
  std::string name = TempTemplateFor(targetPath);
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    failed_ = true;
    return false;
  }
  tempPath_ = name;
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    close(fd);
    Abort();
    failed_ = true;
    return false;
  }
  // Our own buffer gathers the writes; stdio's would only copy them again.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  buffer_.reserve(kBufferSize);
  return true;
}

bool AtomicFileWriter::Write(std::string_view data) {
  if (file_ == nullptr || failed_) return false;
  if (buffer_.size() + data.size() > kBufferSize && !Flush()) return false;
  if (data.size() >= kBufferSize) {
    buffer_.assign(data);
    return Flush();
  }
  buffer_.append(data);
  return true;
}

bool AtomicFileWriter::Commit() {
  if (file_ == nullptr) return false;
  bool ok = Flush() && std::fflush(file_) == 0;
  const int fd = fileno(file_);
  ok = ok && fchmod(fd, ModeForTarget(targetPath_)) == 0;
  ok = ok && fsync(fd) == 0;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  // The target may have changed while the file was written.
  targetRefused_ = ok && closed && !MayReplace(targetPath_);
  ok = ok && closed && !targetRefused_ && std::rename(tempPath_.c_str(), targetPath_.c_str()) == 0;
  if (!ok) {
    failed_ = true;
    Abort();
    return false;
  }
  tempPath_.clear();
  SyncFolderOf(targetPath_);
  return true;
}

}  // namespace mapio::platform
