// Reading the files of one folder for a look inside them: each opened by
// its name in the folder, never through a link out of it, never blocking
// on a pipe or a device, and without changing its access time where the
// system allows. Made for hundreds of thousands of small reads: the folder
// is opened once, and a caller's buffers are reused from file to file.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/folders.h"

namespace mapio::platform {

struct EntryLook {
  EntryKind kind = EntryKind::File;
  std::optional<FileIdentity> identity;  // none where numbers do not last
};

// A folder opened once for reading many of its files; threads may share
// it, each with a FolderFile of its own.
class FolderFiles : OwnsSystemResource {
 public:
  FolderFiles() = default;
  ~FolderFiles();

  // False when `folder` is missing, no folder, or may not be searched (a
  // folder that may be searched but not read opens, where the system can).
  bool Open(const std::string& folder);
  void Close();
  bool IsOpen() const;

 private:
  friend class FolderFile;
  friend std::optional<EntryLook> LookInFolder(const FolderFiles& folder, std::string_view name);
  friend RenameResult RenameInFolder(const FolderFiles& folder, const std::string& folderPath,
                                     std::string_view from, std::string_view to);
#ifdef _WIN32
  std::wstring prefix_;  // the folder and a separator, in UTF-16
  bool open_ = false;
#else
  int fd_ = -1;
#endif
  // Whether to ask that the access time be kept. Cleared on the first file
  // that may not be opened so (someone else's): the files of a pack mostly
  // have one owner, and asking again would cost a failed call per file.
  mutable std::atomic<bool> keepAccessTime_{true};
};

enum class FileStatus : std::uint8_t {
  Read,      // opened (and read)
  Missing,   // no entry of that name (gone since the folder was listed)
  NotAFile,  // a folder, a link, a pipe, a device: never read
  Denied,    // no permission to read it
  TooLarge,  // ReadAll only: more bytes than the limit
  Failed,    // any other error: an invalid name, a read error
};

inline constexpr std::uint64_t kUnknownSize = UINT64_MAX;

// Renames `from` to `to`, names in the folder `folder` opened at
// `folderPath`, never replacing an existing `to`: by the folder itself
// where the system can, which spares it looking up the folder's path for
// every one of half a million renames.
RenameResult RenameInFolder(const FolderFiles& folder, const std::string& folderPath,
                            std::string_view from, std::string_view to);

// What the entry `name` of `folder` is, a link taken as itself (but that a
// link to a folder is a Directory, as a listing has it), and its file's
// identity; nullopt when there is no such entry. One call to the system,
// for the few names a job meets where it has no listing.
std::optional<EntryLook> LookInFolder(const FolderFiles& folder, std::string_view name);

// One file of a FolderFiles, open for reading at any offset.
class FolderFile : OwnsSystemResource {
 public:
  FolderFile() = default;
  ~FolderFile();

  // Opens `name`, an entry directly in the folder (no separator in it);
  // closes the one open before. A link is refused here; what else the
  // entry is, a file or a pipe, is only asked by IsRegular and Size.
  // `throughLink` is for a link that FollowLink found leading to a file
  // inside the pack: it is followed, and only a regular file is opened.
  FileStatus Open(const FolderFiles& folder, std::string_view name, bool throughLink = false);
  void Close();
  bool IsOpen() const;
  // Asked of the open file, once: whether it is a regular file, and its
  // size (kUnknownSize when it is none).
  bool IsRegular();
  std::uint64_t Size();
  // Fills `buffer` from `offset` on; fewer bytes only at the end of the
  // file. -1 on a read error.
  std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<char> buffer);
  // The whole file into `out`, if it is a regular file of at most `limit`
  // bytes.
  FileStatus ReadAll(std::string& out, std::uint64_t limit);

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
  bool asked_ = false;
#endif
  std::uint64_t size_ = kUnknownSize;
};

inline constexpr std::size_t kFileHeadSize = 512;

struct HeadResult {
  FileStatus status = FileStatus::Failed;
  // The file's size when the head is shorter than the buffer: then the
  // head is the whole file. kUnknownSize otherwise, where asking would
  // cost a call per file: FolderFile::Size asks.
  std::uint64_t size = kUnknownSize;
  std::size_t length = 0;  // bytes of the head in the buffer
};

// Opens `name` in `folder` into `file` (through a link, as FolderFile::Open
// says) and reads its first buffer.size() bytes (kFileHeadSize is what a
// picture's header needs). Only a regular file is read; a pipe never
// blocks, and reads as no file rather than as an empty one. The file stays
// open in `file` for a further ReadAt, until the next Open or Close.
HeadResult ReadFileHead(const FolderFiles& folder, std::string_view name, std::span<char> buffer,
                        FolderFile& file, bool throughLink = false);

}  // namespace mapio::platform
