// The only code of Mapio that talks to the operating system. One header for
// every system; platform_common.cpp holds what every system shares, the
// *_posix.cpp and *_win32.cpp files what differs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
// Longest folder path a job accepts: what the wide functions take with the
// \\?\ prefix, in UTF-8 bytes (never fewer than its UTF-16 units).
inline constexpr std::size_t kMaxFolderPath = 32767;
#else
inline constexpr char kSeparator = '/';
// The path box holds at most this many characters.
inline constexpr std::size_t kMaxFolderPath = 2048;
#endif

// folder + separator + name, by plain concatenation: a folder that already
// ends in a separator gets a second one, which every system accepts.
std::string JoinPath(std::string_view folder, std::string_view name);

bool IsAbsolutePath(std::string_view path);

// --- folder listing -------------------------------------------------------

// What an entry of a folder is. Only a File can be a picture as it is; a
// Link is one when FollowLink finds a file inside the pack at its end.
enum class EntryKind : std::uint8_t {
  File,       // a regular file
  Directory,  // a folder, or a link to one
  Link,       // a symbolic link to anything but a folder, or to nothing
  Fifo,       // a named pipe
  Device,     // a character or block device
  Socket,
};

struct DirEntry {
  std::string_view name;  // into the listing that gave it
  EntryKind kind = EntryKind::File;
  bool IsDirectory() const { return kind == EntryKind::Directory; }
};

// What tells a file from every other for as long as it lives, renames
// included: its device and inode; on Windows the volume's serial number
// and the file's index.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

// A folder's entries, their names in large blocks of memory: half a million
// names are half a million allocations otherwise. A block never moves, so
// growing copies no name and a listing that moves keeps its names where
// they were.
class FolderListing {
 public:
  class Iterator;
  void Clear();
  // Each name added from now on keeps the number of its file (inode, file
  // index), kept just before it: the listing is of a folder on `device`,
  // whose file system keeps the numbers as long as the files (`lasting`).
  void KeepNumbers(std::uint64_t device, bool lasting);
  // `number` is kept only where KeepNumbers was called.
  void Add(std::string_view name, EntryKind kind = EntryKind::File, std::uint64_t number = 0);
  // Room for `entries` in all, made at once: what is never added costs
  // no memory, where growing by doubling would copy all it holds.
  void Reserve(std::size_t entries) { entries_.reserve(entries); }
  // The identity of the file `name` names, a name this listing holds (its
  // very bytes, not a copy); nullopt unless the listing keeps lasting numbers.
  std::optional<FileIdentity> IdentityOf(std::string_view name) const;
  std::size_t Size() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  std::size_t TextSize() const { return textSize_; }  // of all the names
  DirEntry operator[](std::size_t i) const {
    return {{entries_[i].name, entries_[i].size}, entries_[i].kind};
  }
  Iterator begin() const;
  Iterator end() const;
  // Into the order of CompareNames, each name folded once.
  void SortByName();

 private:
  struct Entry {
    const char* name;
    std::uint32_t size;
    EntryKind kind;
  };
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // in the last block
  std::size_t blockLeft_ = 0;
  std::size_t textSize_ = 0;
  std::vector<Entry> entries_;
  bool numbered_ = false;
  bool lasting_ = false;
  std::uint64_t device_ = 0;
};

class FolderListing::Iterator {
 public:
  Iterator(const FolderListing* list, std::size_t i) : list_(list), i_(i) {}
  DirEntry operator*() const { return (*list_)[i_]; }
  Iterator& operator++() {
    ++i_;
    return *this;
  }
  bool operator==(const Iterator& other) const { return i_ == other.i_; }

 private:
  const FolderListing* list_;
  std::size_t i_;
};

inline FolderListing::Iterator FolderListing::begin() const { return {this, 0}; }
inline FolderListing::Iterator FolderListing::end() const { return {this, entries_.size()}; }

enum class ListOrder { ByName, AsStored };

// Every entry of `folder` but "." and "..". ByName sorts them with
// CompareNames, so that the order is the same on every file system;
// AsStored is for callers that only look names up. Returns false (and
// leaves `entries` empty) when the folder cannot be searched.
bool ListFolder(const std::string& folder, FolderListing& entries,
                ListOrder order = ListOrder::ByName);
// The same as they are stored, each with its file's number (see
// FolderListing::KeepNumbers): what tells a file that was renamed from
// another that took its name, at no cost beyond the listing.
bool ListFolderNumbered(const std::string& folder, FolderListing& entries);

// Where the symbolic link `path` leads, followed to its end: the kind of
// what is there (Link when nothing is: a broken link, a loop), and whether
// that lies inside the folder `root`. Each call looks both up again: for
// the few links a pack may hold.
struct LinkEnd {
  EntryKind kind = EntryKind::Link;
  bool inside = false;
};
LinkEnd FollowLink(const std::string& path, const std::string& root);

// The order NTFS lists a folder in: names compared after both are folded to
// upper case (as NTFS folds case), ties broken by their bytes.
// Negative, zero or positive like strcmp.
int CompareNames(std::string_view a, std::string_view b);

// The key CompareNames compares first; sorting by (key, bytes) gives the
// same order without folding each name again for every comparison.
std::u16string NameSortKey(std::string_view name);

// --- process ----------------------------------------------------------------

// Where the system gives huge pages only to memory that asks for them
// (Linux's "madvise" mode), starts the program again, once, with the C
// library told to ask: a pack of half a million pictures otherwise costs
// tens of thousands of page faults, a third of a check's time. Returns only
// when it does not (another system, the setting made already, exec failed).
void UseLargePages(char** argv);

// Runs `aside` on a thread of its own while `here` runs on this one, and
// returns when both are done: for the two independent halves of a job, such
// as listing a folder and reading its config.xml, on a machine with more
// than one core. One after the other where no thread can be made. An
// exception from either comes out here, after both have ended.
void RunTogether(const std::function<void()>& aside, const std::function<void()>& here);

// The program's arguments as UTF-8. Windows hands main them in the ANSI
// code page, which cannot hold every name: there they are read again from
// the wide command line.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// What the program writes to a console shows as UTF-8 from now on, until
// it ends (Windows; terminals elsewhere take UTF-8 already). Output to a
// file or pipe is UTF-8 bytes on every system.
void UseUtf8Console();

// --- current directory ----------------------------------------------------

// Mapio never changes it: a path is made absolute once, where it comes in
// (a path box, a drop, the command line), and jobs take absolute paths.
std::string CurrentDirectory();

// Relative paths are taken against the current directory; absolute ones as
// they are, and so is an empty path.
std::string AbsolutePath(const std::string& path);

// --- files ----------------------------------------------------------------

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

// What the target of an AtomicFileWriter must still be when it commits: no
// file at all, or the file as it was read. Bytes of a file up to
// kCompareLimit are kept and compared too, which catches a change of the
// same size within the same tick of the clock.
class ExpectedTarget {
 public:
  static constexpr std::size_t kCompareLimit = std::size_t{4} << 20;
  // nullopt: the target must still be absent (StampOf gave none).
  explicit ExpectedTarget(std::optional<FileStamp> stamp,
                          std::optional<std::string_view> bytes = std::nullopt);
  const std::optional<FileStamp>& Stamp() const { return stamp_; }
  // The bytes to compare, or nullopt when there are none or too many.
  const std::optional<std::string>& Bytes() const { return bytes_; }

 private:
  std::optional<FileStamp> stamp_;
  std::optional<std::string> bytes_;
};

// Why an AtomicFileWriter failed.
enum class WriteFailure {
  None,
  TargetReadOnly,     // no write permission bit set, or this user may not write it
  StickyFolder,       // someone else's file in a sticky folder may not be replaced
  NotAFile,           // the target is a folder, a FIFO or a device
  FolderNotWritable,  // no temporary file may be made in the folder
  NoSpace,            // the disk or the user's quota is full
  IoError,            // any other error of the disk or the system
  TargetChanged,      // not as it was read: another program changed it
};

// What tests make an AtomicFileWriter meet: a full disk, or another
// program's change at the last moment. The program's writers have none.
struct WriterHooks {
  // Every write fails once the writer has taken this many bytes.
  std::optional<std::size_t> failAfterBytes{};
  // Called by Commit while it holds the folder's lock, right before it
  // looks at the target.
  std::function<void()> beforeCompare{};
};

// Writes a whole file under a hidden temporary name beside the target and
// puts it in place only on Commit, so a failed write never harms the old file.
class AtomicFileWriter : OwnsSystemResource {
 public:
  explicit AtomicFileWriter(WriterHooks hooks = {}) : hooks_(std::move(hooks)) {}
  ~AtomicFileWriter();  // aborts when not committed

  // Fails, and writes nothing, when the target exists but may not be
  // written (no write bit, someone else's, a folder): replacing it would get
  // round what the user was allowed, root included. With `expected`, Commit
  // replaces the target only if it is still as expected; without, it
  // replaces whatever is there.
  bool Open(const std::string& targetPath, FileMode mode = FileMode::Text,
            const ExpectedTarget* expected = nullptr);
  // False once any write has failed; later writes are ignored.
  bool Write(std::string_view data);
  // Flush, sync, close and rename over the target, keeping its mode, owner
  // and group. False on any failure, in which case the temporary file is
  // removed and the target is untouched. Writers of one folder in Mapio
  // compare and rename one at a time, so that of two runs that read the
  // same file the second to commit finds the first one's change.
  bool Commit();
  // Drop the temporary file.
  void Abort();
  bool Failed() const { return failed_; }
  // Why the last Open or Commit failed.
  WriteFailure Failure() const { return failure_; }
  // Whether that was because the target may not be written, rather than
  // for want of room or of a temporary file, or a change.
  bool TargetRefused() const;
  const std::string& TempPath() const { return tempPath_; }

 private:
  void Reset(const std::string& targetPath, FileMode mode, const ExpectedTarget* expected);
  bool Flush();
  bool Fail(WriteFailure why);
  // Under the folder's lock: the target as it may be replaced and expected.
  WriteFailure CheckTarget() const;

  std::FILE* file_ = nullptr;
  std::string targetPath_;
  std::string tempPath_;
  std::string buffer_;
  std::size_t written_ = 0;
  WriterHooks hooks_;
  std::optional<ExpectedTarget> expected_;
  bool failed_ = false;
  WriteFailure failure_ = WriteFailure::None;
  FileMode mode_ = FileMode::Text;
};

// The lock AtomicFileWriter takes for a moment to put a folder's file in
// place, held by a job that renames the folder's pictures (translate,
// undo) for the whole of its run: two such jobs of one folder, in this
// process or another, never run at once, and a writer waits for the job.
class FolderJobLock : OwnsSystemResource {
 public:
  enum class State {
    Held,     // taken: the job may go on
    Busy,     // another holds it: the job changes nothing
    Unknown,  // the system has no lock for this folder: the job goes on
  };
  FolderJobLock() = default;
  ~FolderJobLock();
  // Never waits.
  State Take(const std::string& folder);

 private:
  std::intptr_t handle_ = -1;
  std::string name_;  // Windows: the lock's name, while this one holds it
};

// True for the temporary names AtomicFileWriter makes for `targetName` (a
// name without its folder): "." + the name, cut when the path would be too
// long, + ".mapio-" + six letters or digits. A leftover of a run that was
// killed, never a file of the user's.
bool IsTemporaryName(std::string_view name, std::string_view targetName);

// --- text -----------------------------------------------------------------

// Space, tab, LF, VT, FF, CR. A byte of 128 or more is never white space.
inline bool IsSpaceByte(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Length of the UTF-8 sequence at `pos` of `text` with its code point in
// `codePoint`; 0 when the bytes there are no valid UTF-8. Strict: no
// overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t Utf8Length(std::string_view text, std::size_t pos, char32_t& codePoint);
bool IsValidUtf8(std::string_view text);
// Appends the UTF-8 bytes of a code point up to U+10FFFF.
void AppendUtf8(std::string& out, char32_t codePoint);
// Whether a file that begins with `head` is UTF-16: a byte order mark, or
// a NUL in every other byte of its first characters.
bool LooksLikeUtf16(std::string_view head);

// UTF-16 from the system as UTF-8. Windows names may hold a lone surrogate:
// it gets the three bytes UTF-8 would give its value (as WTF-8 does), so
// that ToUtf16 gives the same name back.
std::string FromUtf16(std::u16string_view text);
// UTF-8, and such lone surrogates, as UTF-16. Each byte that is neither
// becomes U+FFFD and makes the result false: no name on disk is spelt so.
bool ToUtf16(std::string_view text, std::u16string& out);

// The character of a byte in Windows-1252; the five bytes it leaves unused
// stand for the C1 controls of the same value.
char32_t Windows1252CodePoint(unsigned char byte);

// A name that older tools wrote in a single-byte code page, as UTF-8: on
// Windows the system's ANSI code page, elsewhere Windows-1252, the code
// page of most such files. For config.xml values that are not valid UTF-8.
std::string LegacyNameToUtf8(std::string_view bytes);

// Trailing white space first, then leading.
std::string_view Trim(std::string_view text);

// ASCII letters always; where the name is valid UTF-8, the Unicode simple
// lower-case mapping. Bytes of invalid UTF-8 stay as they are.
std::string LowerCaseName(std::string_view name);

// Case-insensitive key for looking names up (simple case folding).
std::string CaseFoldKey(std::string_view name);
// The same key appended to `out`: no allocation for an ASCII name.
void AppendCaseFoldKey(std::string_view name, std::string& out);

// From now on, blocks of 256 KB or more get pages of their own from the
// system and give them back when freed. GNU's C library otherwise takes
// such blocks from its heap once it has seen large ones freed: then the
// parts of a large text already passed on stay resident beside their new
// home, and a growing block is copied rather than extended.
void KeepLargeBlocksApart();

}  // namespace mapio::platform
