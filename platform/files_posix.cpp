// Linux and macOS: reading files without waiting on anything but a file,
// and writing them whole or not at all.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/files_detail.h"
#include "platform/atomic_writer.h"
#include "platform/files.h"

namespace mapio::platform {

// --- reading --------------------------------------------------------------

namespace {

FileStamp StampFrom(const struct stat& st) {
#ifdef __APPLE__
  const timespec& modified = st.st_mtimespec;
  const timespec& changed = st.st_ctimespec;
#else
  const timespec& modified = st.st_mtim;
  const timespec& changed = st.st_ctim;
#endif
  FileStamp stamp;
  stamp.device = static_cast<std::uint64_t>(st.st_dev);
  stamp.inode = static_cast<std::uint64_t>(st.st_ino);
  stamp.size = static_cast<std::uint64_t>(st.st_size);
  stamp.modifiedSeconds = modified.tv_sec;
  stamp.modifiedNanoseconds = static_cast<std::uint32_t>(modified.tv_nsec);
  stamp.changedSeconds = changed.tv_sec;
  stamp.changedNanoseconds = static_cast<std::uint32_t>(changed.tv_nsec);
  return stamp;
}

ReadResult OpenFailure(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return ReadResult::Missing;
    case EACCES:
    case EPERM: return ReadResult::NoPermission;
    case ENXIO:  // a socket, or a device with nothing behind it
    case ENODEV: return ReadResult::NotAFile;
    default: return ReadResult::Failed;
  }
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (path.find('\0') != std::string::npos || stat(path.c_str(), &st) != 0) return std::nullopt;
  return StampFrom(st);
}

ReadResult detail::OpenForReading(const std::string& path, std::FILE*& file, FileStamp& stamp) {
  file = nullptr;
  if (path.find('\0') != std::string::npos) return ReadResult::Missing;
  // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return OpenFailure(errno);
  struct stat st {};
  ReadResult result = ReadResult::Ok;
  if (fstat(fd, &st) != 0) {
    result = ReadResult::Failed;
  } else if (!S_ISREG(st.st_mode)) {
    result = ReadResult::NotAFile;
  } else if (fcntl(fd, F_SETFL, 0) != 0 || (file = fdopen(fd, "rb")) == nullptr) {
    result = ReadResult::Failed;
  }
  if (result != ReadResult::Ok) {
    close(fd);
    return result;
  }
  stamp = StampFrom(st);
  return ReadResult::Ok;
}

// --- AtomicFileWriter -----------------------------------------------------

namespace {

// Large enough that 200,000 short records take a few dozen writes.
constexpr std::size_t kBufferSize = 1 << 20;
// Longest name most file systems take.
constexpr std::size_t kMaxNameLength = 255;

std::string FolderOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  return slash == std::string::npos ? "." : target.substr(0, slash + 1);
}

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

// The replaced file's owner, group and mode go to the new one; a new file
// gets the usual mode. Only root may give a file to another user; anyone
// may give it a group of their own. What cannot be kept of the owner is no
// reason to keep the user's changes from disk: the file then is theirs.
bool TakeOverOwnerAndMode(int fd, const std::string& target) {
  struct stat old {};
  if (stat(target.c_str(), &old) != 0) return fchmod(fd, DefaultFileMode()) == 0;
  struct stat mine {};
  if (fstat(fd, &mine) == 0 && (mine.st_uid != old.st_uid || mine.st_gid != old.st_gid)) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Neither: the new file is the user's, in their own group.
    }
  }
  return fchmod(fd, old.st_mode & 07777) == 0;
}

WriteFailure CreateFailure(int error) {
  if (error == EACCES || error == EPERM || error == EROFS) return WriteFailure::FolderNotWritable;
  return detail::WriteFailureOf(error);
}

WriteFailure RenameFailure(int error, const std::string& target) {
  if (error == EACCES || error == EPERM) {
    const WriteFailure refusal = detail::RefusalOf(target);
    return refusal != WriteFailure::None ? refusal : WriteFailure::FolderNotWritable;
  }
  if (error == EISDIR) return WriteFailure::NotAFile;
  return CreateFailure(error);
}

// So that the rename itself survives a crash.
void SyncFolderOf(const std::string& target) {
  const int fd = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

// The mode bits, not access(): root may write any file, but a file that no
// one may write is one the user meant to keep as it is.
WriteFailure detail::RefusalOf(const std::string& target) {
  struct stat st {};
  if (stat(target.c_str(), &st) != 0) return WriteFailure::None;
  if (!S_ISREG(st.st_mode)) return WriteFailure::NotAFile;
  if ((st.st_mode & 0222) == 0 || faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    return WriteFailure::TargetReadOnly;
  }
  // In a sticky folder only the owner of an entry (or of the folder) may
  // replace it; the entry is the link where config.xml is one.
  struct stat entry {};
  struct stat folder {};
  const uid_t me = geteuid();
  if (me != 0 && lstat(target.c_str(), &entry) == 0 && entry.st_uid != me &&
      stat(FolderOf(target).c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX) != 0 &&
      folder.st_uid != me) {
    return WriteFailure::StickyFolder;
  }
  return WriteFailure::None;
}

detail::FolderLock::FolderLock(const std::string& target) {
  const int fd = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  int locked = flock(fd, LOCK_EX);
  while (locked != 0 && errno == EINTR) locked = flock(fd, LOCK_EX);
  if (locked != 0) {
    close(fd);
    return;
  }
  handle_ = fd;
}

detail::FolderLock::~FolderLock() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

// The same lock as the writers': flock on the folder itself, which every
// path to the folder and every open of it in this process meets too.
FolderJobLock::State FolderJobLock::Take(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return State::Unknown;
  int locked = flock(fd, LOCK_EX | LOCK_NB);
  while (locked != 0 && errno == EINTR) locked = flock(fd, LOCK_EX | LOCK_NB);
  if (locked != 0) {
    const bool busy = errno == EWOULDBLOCK;
    close(fd);
    return busy ? State::Busy : State::Unknown;
  }
  handle_ = fd;
  return State::Held;
}

FolderJobLock::~FolderJobLock() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool AtomicFileWriter::Open(const std::string& targetPath, FileMode mode,
                            const ExpectedTarget* expected) {
  Reset(targetPath, mode, expected);
  const WriteFailure refusal = detail::RefusalOf(targetPath);
  if (refusal != WriteFailure::None) return Fail(refusal);
  std::string name = TempTemplateFor(targetPath);
  const int fd = mkstemp(name.data());
  if (fd < 0) return Fail(CreateFailure(errno));
  tempPath_ = name;
  file_ = fdopen(fd, "wb");
  if (file_ == nullptr) {
    close(fd);
    return Fail(WriteFailure::IoError);
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

bool detail::SyncForCommit(std::FILE* file, const std::string& target) {
  const int fd = fileno(file);
  return TakeOverOwnerAndMode(fd, target) && fsync(fd) == 0;
}

WriteFailure detail::PutInPlace(const std::string& temp, const std::string& target) {
  if (std::rename(temp.c_str(), target.c_str()) != 0) return RenameFailure(errno, target);
  SyncFolderOf(target);
  return WriteFailure::None;
}

}  // namespace mapio::platform
