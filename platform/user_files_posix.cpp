// Linux and macOS: the user's data folder and the journal's file.
#include <fcntl.h>
#include <sys/mman.h>
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

std::intptr_t detail::OpenAppendFile(const std::string& path, bool create) {
  // O_NOFOLLOW: a link in the journal's place is refused, never written
  // through; O_NONBLOCK: a FIFO there never holds the open up.
  const int flags =
      O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | (create ? O_CREAT | O_EXCL : 0);
  const int fd = open(path.c_str(), flags, 0600);
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

std::optional<std::uint64_t> detail::AppendFileSize(std::intptr_t handle) {
  struct stat st {};
  if (fstat(static_cast<int>(handle), &st) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

std::ptrdiff_t detail::ReadAppendFile(std::intptr_t handle, std::uint64_t at, char* buffer,
                                      std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got =
        pread(static_cast<int>(handle), buffer + done, size - done, static_cast<off_t>(at + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got < 0 ? -1 : static_cast<std::ptrdiff_t>(done);
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::ptrdiff_t>(done);
}

// The window's blocks are given to the file before it is mapped: a write
// into a mapped page the disk has no room for would end the program.
char* detail::MapAppendWindow(std::intptr_t handle, std::uint64_t at) {
  const int fd = static_cast<int>(handle);
  const off_t start = static_cast<off_t>(at);
  const off_t length = static_cast<off_t>(AppendFile::kWindow);
#if defined(__APPLE__)
  struct stat st {};
  if (fstat(fd, &st) != 0 || (st.st_size < start + length && ftruncate(fd, start + length) != 0))
    return nullptr;
#else
  int made = posix_fallocate(fd, start, length);
  while (made == EINTR) made = posix_fallocate(fd, start, length);
  // A file system without a way to make room: the size alone.
  if (made == EOPNOTSUPP || made == ENOSYS || made == EINVAL) {
    struct stat st {};
    made =
        fstat(fd, &st) != 0 || (st.st_size < start + length && ftruncate(fd, start + length) != 0);
  }
  if (made != 0) return nullptr;
#endif
  void* window = mmap(nullptr, AppendFile::kWindow, PROT_READ | PROT_WRITE, MAP_SHARED, fd, start);
  return window == MAP_FAILED ? nullptr : static_cast<char*>(window);
}

void detail::UnmapAppendWindow(char* window) { munmap(window, AppendFile::kWindow); }

bool detail::SyncAppendFile(std::intptr_t handle, char* window) {
  if (window != nullptr && msync(window, AppendFile::kWindow, MS_SYNC) != 0) return false;
  return fsync(static_cast<int>(handle)) == 0;
}

bool detail::CloseAppendFile(std::intptr_t handle, std::optional<std::uint64_t> size) {
  const int fd = static_cast<int>(handle);
  const bool cut = !size || ftruncate(fd, static_cast<off_t>(*size)) == 0;
  return close(fd) == 0 && cut;
}

}  // namespace mapio::platform
