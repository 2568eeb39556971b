// Linux and macOS: the files of a folder opened relative to one folder
// descriptor, so that each open looks up a single name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/picture_files.h"
#include "platform/paths.h"
#include "platform/platform_posix_detail.h"

namespace mapio::platform {

namespace {

// O_NOATIME exists on Linux only; elsewhere reads may change the access
// time as the mount's options say.
#ifdef O_NOATIME
constexpr int kNoAccessTime = O_NOATIME;
#else
constexpr int kNoAccessTime = 0;
#endif

int OpenIn(int folder, const std::string& name, bool keepAccessTime, bool follow) {
  // O_NONBLOCK: opening a pipe or a device for reading must not wait for
  // a writer, nor reading it for data.
  const int flags = O_RDONLY | (follow ? 0 : O_NOFOLLOW) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd;
  do {
    fd = openat(folder, name.c_str(), flags | (keepAccessTime ? kNoAccessTime : 0));
  } while (fd < 0 && errno == EINTR);
  return fd;
}

FileStatus StatusOf(int error) {
  switch (error) {
    case ENOENT: return FileStatus::Missing;
    case EACCES: return FileStatus::Denied;
    // What O_NOFOLLOW gives for a link: ELOOP, or EMLINK on FreeBSD.
    case ELOOP:
    case EMLINK:
    case EISDIR:
    case ENXIO:
    case ENOTDIR: return FileStatus::NotAFile;
    default: return FileStatus::Failed;
  }
}

}  // namespace

FolderFiles::~FolderFiles() { Close(); }

bool FolderFiles::Open(const std::string& folder) {
  Close();
  fd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#ifdef O_PATH
  // A folder that may be searched but not read still has its files
  // opened, looked at and renamed by name.
  if (fd_ < 0 && errno == EACCES) fd_ = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#endif
  keepAccessTime_ = true;
  return fd_ >= 0;
}

void FolderFiles::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

bool FolderFiles::IsOpen() const { return fd_ >= 0; }

RenameResult RenameInFolder(const FolderFiles& folder, const std::string& folderPath,
                            std::string_view from, std::string_view to) {
#if defined(__linux__) && defined(__GLIBC__) && \
    (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
  if (folder.fd_ >= 0) {
    thread_local std::string fromName, toName;
    fromName.assign(from);
    toName.assign(to);
    if (renameat2(folder.fd_, fromName.c_str(), folder.fd_, toName.c_str(), RENAME_NOREPLACE) == 0)
      return RenameResult::Renamed;
    if (errno == EEXIST) return RenameResult::TargetExists;
  }
#endif
  // Without the folder, or to tell the other failures apart: by paths.
  return RenameNoReplace(JoinPath(folderPath, from), JoinPath(folderPath, to));
}

std::optional<EntryLook> LookInFolder(const FolderFiles& folder, std::string_view name) {
  if (folder.fd_ < 0 || name.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string path(name);
  struct stat st {};
  if (fstatat(folder.fd_, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
  EntryLook look;
  look.kind = detail::KindOfEntryAt(folder.fd_, path.c_str(), st);
  if (detail::NumbersLast(folder.fd_))
    look.identity =
        FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  return look;
}

FolderFile::~FolderFile() { Close(); }

FileStatus FolderFile::Open(const FolderFiles& folder, std::string_view name, bool throughLink) {
  Close();
  if (!folder.IsOpen() || name.empty() || name.find('/') != std::string_view::npos ||
      name.find('\0') != std::string_view::npos || name == "." || name == "..")
    return FileStatus::Failed;
  const std::string path(name);
  int fd = OpenIn(folder.fd_, path, folder.keepAccessTime_, throughLink);
  // O_NOATIME is only for the file's owner (or a privileged caller).
  if (fd < 0 && errno == EPERM && folder.keepAccessTime_) {
    folder.keepAccessTime_ = false;
    fd = OpenIn(folder.fd_, path, false, throughLink);
  }
  if (fd < 0) return StatusOf(errno);
  fd_ = fd;
  // What a link leads to may have changed since it was followed.
  if (throughLink && !IsRegular()) {
    Close();
    return FileStatus::NotAFile;
  }
  return FileStatus::Read;
}

bool FolderFile::IsRegular() {
  if (!asked_ && fd_ >= 0) {
    asked_ = true;
    struct stat st {};
    if (fstat(fd_, &st) == 0 && S_ISREG(st.st_mode)) size_ = static_cast<std::uint64_t>(st.st_size);
  }
  return size_ != kUnknownSize;
}

std::uint64_t FolderFile::Size() {
  IsRegular();
  return size_;
}

void FolderFile::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  asked_ = false;
  size_ = kUnknownSize;
}

bool FolderFile::IsOpen() const { return fd_ >= 0; }

std::ptrdiff_t FolderFile::ReadAt(std::uint64_t offset, std::span<char> buffer) {
  if (fd_ < 0) return -1;
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t got =
        pread(fd_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::ptrdiff_t>(done);
}

}  // namespace mapio::platform
