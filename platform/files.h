// Files as the jobs read them: looked at, renamed without replacing, read whole or in pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mapio::platform {

// What a class that owns a file or a handle of the system derives from: it
// is never copied, so that the file is closed once.
class OwnsSystemResource {
 public:
  OwnsSystemResource(const OwnsSystemResource&) = delete;
  OwnsSystemResource& operator=(const OwnsSystemResource&) = delete;

 protected:
  OwnsSystemResource() = default;
  ~OwnsSystemResource() = default;
};

bool FileExists(const std::string& path);  // any kind of entry
bool IsDirectory(const std::string& path);
// Whether `path` itself is a symbolic link (on Windows a junction too),
// not what it leads to.
bool IsSymbolicLink(const std::string& path);

// Same device and inode (file index on Windows). False if either is missing.
bool SameFile(const std::string& a, const std::string& b);

enum class RenameResult { Renamed, TargetExists, SourceMissing, Failed };

// Renames `from` to `to` but never replaces an existing `to`.
RenameResult RenameNoReplace(const std::string& from, const std::string& to);

// Where a file that is read whole stands: what stays the same while no one
// writes it. Modification and change times to the nanosecond where the
// system keeps them; the change time is always 0 on Windows.
struct FileStamp {
  std::uint64_t device = 0;  // volume serial number on Windows
  std::uint64_t inode = 0;   // file index on Windows
  std::uint64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::uint32_t modifiedNanoseconds = 0;
  std::int64_t changedSeconds = 0;
  std::uint32_t changedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file `path` leads to, through a final symbolic link as an
// open would go; nullopt when there is none or it cannot be looked at.
std::optional<FileStamp> StampOf(const std::string& path);

// Why a file could not be read.
enum class ReadResult {
  Ok,
  Missing,       // no such file
  NotAFile,      // a folder, a FIFO, a device or a socket
  TooLarge,      // larger than the limit given
  NoPermission,  // there, but this user may not read it
  Failed,        // an error of the disk or the system
};

// Larger than any mapping file of a real pack by a wide margin; a file this
// large is a mistake or a trap, not something to read into memory.
inline constexpr std::size_t kMaxMappingFileSize = std::size_t{1} << 30;

// A regular file's bytes, all of them, as they are on disk, and its stamp as
// it was before the first byte was read, so that any change made while it is
// read shows in a later comparison. Anything else (a FIFO, a device) is
// refused without waiting for it, and so is a file larger than `limit`,
// before any of it is read.
ReadResult ReadWholeFile(const std::string& path, std::string& bytes, FileStamp& stamp,
                         std::size_t limit = kMaxMappingFileSize);

// The same bytes as ReadWholeFile, handed to `take` in pieces of up to
// 1 MB, in order, none kept after it was taken: for a reader that keeps the
// bytes elsewhere and must not hold the file twice. `stamp` is set before
// the first piece. Failed when `take` returns false.
ReadResult ReadFileInPieces(const std::string& path, FileStamp& stamp,
                            const std::function<bool(std::string_view)>& take,
                            std::size_t limit = kMaxMappingFileSize);

// How a file's line ends are taken. Text: as the system's text files have
// them (on Windows CR LF on disk is LF in memory; elsewhere nothing changes).
// Binary: every byte as it is, for code that keeps line ends itself.
enum class FileMode { Text, Binary };

// Whether the system's text files take CR LF as one line end (Windows).
bool TextFilesJoinCrLf();

// Owning FILE* for reading a text file: bytes come as they are on disk
// (CR LF stays CR LF on POSIX; text mode on Windows).
class TextReader : OwnsSystemResource {
 public:
  TextReader() = default;
  ~TextReader();

  // Opens regular files only, without waiting on a FIFO or a device;
  // OpenResult() tells why not.
  bool Open(const std::string& path, FileMode mode = FileMode::Text);
  ReadResult OpenResult() const { return openResult_; }
  // Like fgets: at most size-1 bytes, up to and including the next LF.
  // Returns the number of bytes read, 0 at the end of the file or on error.
  std::size_t ReadPiece(char* buffer, std::size_t size);
  // Up to `size` bytes as they are on disk, whatever the mode; 0 at the end
  // of the file or on error.
  std::size_t ReadBlock(char* buffer, std::size_t size);
  // The whole rest of the file; false on a read error.
  bool ReadAll(std::string& out);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  // Whether a read has failed: ReadPiece's 0 then is no end of the file.
  bool ReadFailed() const;

 private:
  // Bytes as they are on disk are read ahead in large blocks: ReadPiece
  // then takes a line with one search instead of a call per character.
  bool ReadAhead();
  std::size_t ReadPieceJoiningCrLf(char* buffer, std::size_t size);

  std::FILE* file_ = nullptr;
  FileMode mode_ = FileMode::Text;
  ReadResult openResult_ = ReadResult::Failed;
  std::string ahead_;
  std::size_t aheadAt_ = 0;
  bool failed_ = false;
};

}  // namespace mapio::platform
