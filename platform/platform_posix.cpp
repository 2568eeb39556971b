// Linux and macOS: folder listing, current directory, file tests and the
// rename that never replaces.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <utility>

#if defined(__linux__)
#include <sys/statfs.h>
#include <sys/syscall.h>
#elif defined(__APPLE__)
#include <sys/mount.h>
#include <sys/param.h>
#endif

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/platform_posix_detail.h"
#include "platform/user_files.h"

namespace mapio::platform {

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path.front() == '/'; }

// --- folder listing -------------------------------------------------------

namespace {

using detail::KindOfMode;

// From the listing's own type where it gives one: a call more only for a
// link, or where the file system tells no type.
EntryKind KindOfEntry(int dirFd, const char* name, unsigned char type) {
#ifdef DT_DIR
  switch (type) {
    case DT_REG: return EntryKind::File;
    case DT_DIR: return EntryKind::Directory;
    case DT_FIFO: return EntryKind::Fifo;
    case DT_CHR:
    case DT_BLK: return EntryKind::Device;
    case DT_SOCK: return EntryKind::Socket;
    default: break;
  }
#else
  (void)type;
#endif
  struct stat st {};
  if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::File;
  return detail::KindOfEntryAt(dirFd, name, st);
}

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

#if defined(__linux__)
// getdents64 straight into one large buffer: readdir's 32 KB would take
// a thousand calls for a big pack.
struct LinuxDirent {
  std::uint64_t inode;
  std::int64_t next;
  unsigned short size;
  unsigned char type;
  char name[1];
};

bool ReadEntries(int fd, FolderListing& entries) {
  constexpr std::size_t kBuffer = 1 << 20;
  std::unique_ptr<char[]> buffer(new char[kBuffer]);
  for (;;) {
    const long got = syscall(SYS_getdents64, fd, buffer.get(), kBuffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    for (long at = 0; at < got;) {
      const auto* entry = reinterpret_cast<const LinuxDirent*>(buffer.get() + at);
      at += entry->size;
      if (IsDotOrDotDot(entry->name)) continue;
      entries.Add(entry->name, KindOfEntry(fd, entry->name, entry->type), entry->inode);
    }
  }
}
#else
bool ReadEntries(int fd, FolderListing& entries) {
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) {
    close(fd);
    return false;
  }
  bool complete = false;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir);
    if (entry == nullptr) {
      complete = errno == 0;
      break;
    }
    if (IsDotOrDotDot(entry->d_name)) continue;
    entries.Add(entry->d_name, KindOfEntry(dirfd(dir), entry->d_name, entry->d_type), entry->d_ino);
  }
  closedir(dir);  // closes fd too
  return complete;
}
#endif

}  // namespace

EntryKind detail::KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return EntryKind::File;
  if (S_ISDIR(mode)) return EntryKind::Directory;
  if (S_ISFIFO(mode)) return EntryKind::Fifo;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return EntryKind::Device;
  if (S_ISSOCK(mode)) return EntryKind::Socket;
  return EntryKind::Link;
}

EntryKind detail::KindOfEntryAt(int dirFd, const char* name, const struct stat& entry) {
  if (!S_ISLNK(entry.st_mode)) return KindOfMode(entry.st_mode);
  // A link to a folder is a folder to the user.
  struct stat st {};
  if (fstatat(dirFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode)) return EntryKind::Directory;
  return EntryKind::Link;
}

// FAT and exFAT have no inodes: the system makes numbers up for their files
// as it meets them, and may give a file another one later.
bool detail::NumbersLast(int fd) {
#if defined(__linux__)
  struct statfs fs {};
  if (fstatfs(fd, &fs) != 0) return false;
  constexpr unsigned long kFat = 0x4d44, kExFat = 0x2011BAB0;
  const auto type = static_cast<unsigned long>(fs.f_type);
  return type != kFat && type != kExFat;
#elif defined(__APPLE__)
  struct statfs fs {};
  if (fstatfs(fd, &fs) != 0) return false;
  const std::string_view type = fs.f_fstypename;
  return type != "msdos" && type != "exfat";
#else
  (void)fd;
  return true;
#endif
}

namespace {

bool List(const std::string& folder, FolderListing& entries, ListOrder order, bool numbered) {
  entries.Clear();
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (numbered && fstat(fd, &st) == 0)
    entries.KeepNumbers(static_cast<std::uint64_t>(st.st_dev), detail::NumbersLast(fd));
  const bool complete = ReadEntries(fd, entries);
#if defined(__linux__)
  close(fd);
#endif
  // Half a listing would pass for a whole one: drop it.
  if (!complete) {
    entries.Clear();
    return false;
  }
  if (order == ListOrder::ByName) entries.SortByName();
  return true;
}

}  // namespace

bool ListFolder(const std::string& folder, FolderListing& entries, ListOrder order) {
  return List(folder, entries, order, false);
}

bool ListFolderNumbered(const std::string& folder, FolderListing& entries) {
  return List(folder, entries, ListOrder::AsStored, true);
}

namespace {

// The path with every link resolved, or "" when it leads nowhere.
std::string RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

}  // namespace

LinkEnd FollowLink(const std::string& path, const std::string& root) {
  LinkEnd end;
  const std::string target = RealPath(path);
  struct stat st {};
  if (target.empty() || stat(target.c_str(), &st) != 0) return end;
  end.kind = KindOfMode(st.st_mode);
  std::string folder = RealPath(root);
  if (folder.empty()) return end;
  if (folder.back() != '/') folder.push_back('/');
  end.inside = target.starts_with(folder);
  return end;
}

// --- process ----------------------------------------------------------------

void UseLargePages(char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
  // The user's own tunables stand, and a second start never starts a third.
  if (std::getenv("GLIBC_TUNABLES") != nullptr) return;
  std::FILE* mode = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
  if (mode == nullptr) return;
  char text[128] = {};
  const bool advised = std::fgets(text, sizeof text, mode) != nullptr &&
                       std::string_view(text).find("[madvise]") != std::string_view::npos;
  std::fclose(mode);
  if (!advised) return;
  // One arena: a job's second thread then takes its memory from the heap
  // that asks for huge pages, not from a heap of its own that does not.
  if (setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1:glibc.malloc.arena_max=1", 1) != 0) return;
  execv("/proc/self/exe", argv);
  unsetenv("GLIBC_TUNABLES");
#else
  (void)argv;
#endif
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void UseUtf8Console() {}

// --- current directory ----------------------------------------------------

std::string CurrentDirectory() {
  std::string buffer(256, '\0');
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) {
      buffer.resize(std::char_traits<char>::length(buffer.c_str()));
      return buffer;
    }
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
}

// --- files ----------------------------------------------------------------

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool FileExists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsSymbolicLink(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// --- rename without replacing ---------------------------------------------

namespace {

// ENOENT may name either side (a missing target folder gives it too).
RenameResult MissingOrFailed(const std::string& from) {
  return FileExists(from) ? RenameResult::Failed : RenameResult::SourceMissing;
}

RenameResult FromErrno(int error, const std::string& from) {
  if (error == EEXIST) return RenameResult::TargetExists;
  if (error == ENOENT) return MissingOrFailed(from);
  return RenameResult::Failed;
}

// 0, or the errno of the atomic no-replace rename.
int AtomicRenameNoReplace(const std::string& from, const std::string& to) {
#if defined(__APPLE__)
  return renamex_np(from.c_str(), to.c_str(), RENAME_EXCL) == 0 ? 0 : errno;
#elif defined(__linux__)
#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
  const int rc = renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
#else
  const int rc = static_cast<int>(
      syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE));
#endif
  return rc == 0 ? 0 : errno;
#else
  (void)from;
  (void)to;
  return ENOSYS;
#endif
}

// The file system cannot rename without replacing in one step.
bool NoAtomicSupport(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

}  // namespace

namespace detail {

RenameResult RenameChecked(const std::string& from, const std::string& to) {
  if (FileExists(to)) {
    return FileExists(from) ? RenameResult::TargetExists : RenameResult::SourceMissing;
  }
  if (std::rename(from.c_str(), to.c_str()) == 0) return RenameResult::Renamed;
  return FromErrno(errno, from);
}

RenameResult RenameByLink(const std::string& from, const std::string& to) {
  if (link(from.c_str(), to.c_str()) != 0) {
    const int error = errno;
    if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EMLINK) {
      return RenameChecked(from, to);
    }
    return FromErrno(error, from);
  }
  if (unlink(from.c_str()) == 0) return RenameResult::Renamed;
  // Leave the file under its old name only, as it was.
  unlink(to.c_str());
  return RenameResult::Failed;
}

}  // namespace detail

RenameResult RenameNoReplace(const std::string& from, const std::string& to) {
  const int error = AtomicRenameNoReplace(from, to);
  if (error == 0) return RenameResult::Renamed;
  if (NoAtomicSupport(error)) return detail::RenameByLink(from, to);
  return FromErrno(error, from);
}

void KeepLargeBlocksApart() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);  // a fixed threshold does not move up
#endif
}

}  // namespace mapio::platform
