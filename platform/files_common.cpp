// The file code every system shares: reading a file whole, the text
// reader, and the parts of AtomicFileWriter above the system's calls. What
// differs lives in files_posix.cpp and files_win32.cpp.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/files_detail.h"
#include "platform/user_files.h"
#include "platform/platform.h"

namespace mapio::platform {

// --- reading --------------------------------------------------------------

namespace {

// Reads to the end, but never more than `limit` bytes: a file that grows
// past it while it is read is as large as one that was.
ReadResult ReadUpTo(std::FILE* file, std::uint64_t sizeAtOpen, std::size_t limit,
                    std::string& bytes) {
  const std::size_t cap = limit < SIZE_MAX ? limit + 1 : limit;
  // One more byte than the file had, to see the end without a second read.
  std::size_t chunk = std::max<std::size_t>(static_cast<std::size_t>(sizeAtOpen) + 1, 64 * 1024);
  for (;;) {
    const std::size_t have = bytes.size();
    const std::size_t want = std::min(chunk, cap - have);
    bytes.resize(have + want);
    const std::size_t got = std::fread(bytes.data() + have, 1, want, file);
    bytes.resize(have + got);
    if (bytes.size() > limit) return ReadResult::TooLarge;
    if (got < want) break;
  }
  return std::ferror(file) ? ReadResult::Failed : ReadResult::Ok;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, FileStamp& stamp,
                         std::size_t limit) {
  bytes.clear();
  std::FILE* file = nullptr;
  ReadResult result = detail::OpenForReading(path, file, stamp);
  if (result != ReadResult::Ok) return result;
  result = stamp.size > limit ? ReadResult::TooLarge : ReadUpTo(file, stamp.size, limit, bytes);
  std::fclose(file);
  if (result != ReadResult::Ok) bytes.clear();
  return result;
}

ReadResult ReadFileInPieces(const std::string& path, FileStamp& stamp,
                            const std::function<bool(std::string_view)>& take, std::size_t limit) {
  std::FILE* file = nullptr;
  ReadResult result = detail::OpenForReading(path, file, stamp);
  if (result != ReadResult::Ok) return result;
  if (stamp.size > limit) {
    std::fclose(file);
    return ReadResult::TooLarge;
  }
  std::string piece(std::size_t{1} << 20, '\0');
  std::size_t total = 0;
  for (;;) {
    const std::size_t got = std::fread(piece.data(), 1, piece.size(), file);
    total += got;
    if (total > limit) {
      result = ReadResult::TooLarge;
      break;
    }
    if (got > 0 && !take(std::string_view(piece.data(), got))) {
      result = ReadResult::Failed;
      break;
    }
    if (got < piece.size()) {
      if (std::ferror(file)) result = ReadResult::Failed;
      break;
    }
  }
  std::fclose(file);
  return result;
}

// --- TextReader -----------------------------------------------------------

namespace {

// Windows keeps CR LF on disk where a text is LF in memory.
#ifdef _WIN32
constexpr bool kCrLfOnDisk = true;
int NextByte(std::FILE* file) { return std::getc(file); }
#else
constexpr bool kCrLfOnDisk = false;
int NextByte(std::FILE* file) { return getc_unlocked(file); }
#endif

}  // namespace

bool TextFilesJoinCrLf() { return kCrLfOnDisk; }

TextReader::~TextReader() { Close(); }

bool TextReader::Open(const std::string& path, FileMode mode) {
  Close();
  mode_ = mode;
  FileStamp stamp;
  openResult_ = detail::OpenForReading(path, file_, stamp);
  return openResult_ == ReadResult::Ok;
}

// Not fgets: a NUL byte in the file would hide the length of the piece.
std::size_t TextReader::ReadPiece(char* buffer, std::size_t size) {
  if (file_ == nullptr || size == 0) return 0;
  if (kCrLfOnDisk && mode_ == FileMode::Text) return ReadPieceJoiningCrLf(buffer, size);
  std::size_t used = 0;
  while (used + 1 < size) {
    if (aheadAt_ == ahead_.size() && !ReadAhead()) break;
    const std::size_t n = std::min(size - 1 - used, ahead_.size() - aheadAt_);
    const char* from = ahead_.data() + aheadAt_;
    const void* lf = std::memchr(from, '\n', n);
    const std::size_t take = lf != nullptr ? static_cast<const char*>(lf) - from + 1 : n;
    std::memcpy(buffer + used, from, take);
    used += take;
    aheadAt_ += take;
    if (lf != nullptr) break;
  }
  buffer[used] = '\0';
  return failed_ ? 0 : used;
}

bool TextReader::ReadFailed() const {
  return failed_ || (file_ != nullptr && std::ferror(file_) != 0);
}

std::size_t TextReader::ReadBlock(char* buffer, std::size_t size) {
  if (file_ == nullptr || failed_) return 0;
  const std::size_t held = std::min(size, ahead_.size() - aheadAt_);
  std::memcpy(buffer, ahead_.data() + aheadAt_, held);
  aheadAt_ += held;
  const std::size_t got = std::fread(buffer + held, 1, size - held, file_);
  failed_ = std::ferror(file_) != 0;
  return failed_ ? 0 : held + got;
}

bool TextReader::ReadAhead() {
  constexpr std::size_t kAhead = 64 * 1024;
  ahead_.resize(kAhead);
  const std::size_t n = std::fread(ahead_.data(), 1, kAhead, file_);
  ahead_.resize(n);
  aheadAt_ = 0;
  failed_ = failed_ || std::ferror(file_) != 0;
  return n > 0;
}

std::size_t TextReader::ReadPieceJoiningCrLf(char* buffer, std::size_t size) {
  std::size_t used = 0;
  while (used + 1 < size) {
    int c = NextByte(file_);
    if (c == EOF) break;
    if (c == '\r') {
      const int next = NextByte(file_);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file_);
      }
    }
    buffer[used++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[used] = '\0';
  if (std::ferror(file_)) return 0;
  return used;
}

bool TextReader::ReadAll(std::string& out) {
  out.assign(ahead_, aheadAt_);
  ahead_.clear();
  aheadAt_ = 0;
  if (file_ == nullptr) return false;
  // Read straight into the string, sized to the file where its size is
  // known: a 48 MB file is otherwise copied over and over as it grows.
  std::size_t chunk = 64 * 1024;
  const long start = std::ftell(file_);
  if (start >= 0 && std::fseek(file_, 0, SEEK_END) == 0) {
    const long end = std::ftell(file_);
    if (std::fseek(file_, start, SEEK_SET) != 0) return false;
    if (end > start) chunk = static_cast<std::size_t>(end - start) + 1;
  }
  for (;;) {
    const std::size_t have = out.size();
    out.resize(have + chunk);
    const std::size_t n = std::fread(out.data() + have, 1, chunk, file_);
    out.resize(have + n);
    if (n < chunk) break;
    chunk = std::max<std::size_t>(chunk, 64 * 1024);
  }
  if (kCrLfOnDisk && mode_ == FileMode::Text) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
      out[kept++] = out[i];
    }
    out.resize(kept);
  }
  return std::ferror(file_) == 0;
}

void TextReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  ahead_.clear();
  aheadAt_ = 0;
  failed_ = false;
}

// --- AtomicFileWriter -----------------------------------------------------

// The file on disk, then, under the folder's lock, put in place if the
// target is still as expected.
bool AtomicFileWriter::Commit() {
  if (file_ == nullptr) return false;
  bool ok = Flush() && std::fflush(file_) == 0 && detail::SyncForCommit(file_, targetPath_);
  int error = errno;
  if (std::fclose(file_) != 0 && ok) {
    ok = false;
    error = errno;
  }
  file_ = nullptr;
  if (!ok) return Fail(detail::WriteFailureOf(error));
  {
    const detail::FolderLock lock(targetPath_);
    const WriteFailure changed = CheckTarget();
    if (changed != WriteFailure::None) return Fail(changed);
    const WriteFailure placed = detail::PutInPlace(tempPath_, targetPath_);
    if (placed != WriteFailure::None) return Fail(placed);
  }
  tempPath_.clear();
  return true;
}

ExpectedTarget::ExpectedTarget(std::optional<FileStamp> stamp,
                               std::optional<std::string_view> bytes)
    : stamp_(stamp) {
  if (stamp_ && bytes && bytes->size() <= kCompareLimit) bytes_.emplace(*bytes);
}

WriteFailure detail::WriteFailureOf(int error) {
#ifdef EDQUOT
  if (error == EDQUOT) return WriteFailure::NoSpace;
#endif
  return error == ENOSPC ? WriteFailure::NoSpace : WriteFailure::IoError;
}

AtomicFileWriter::~AtomicFileWriter() { Abort(); }

void AtomicFileWriter::Abort() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!tempPath_.empty()) RemoveFile(tempPath_);
  tempPath_.clear();
  buffer_.clear();
}

bool AtomicFileWriter::TargetRefused() const {
  return failure_ == WriteFailure::TargetReadOnly || failure_ == WriteFailure::StickyFolder ||
         failure_ == WriteFailure::NotAFile;
}

// Every Open starts from here: a clean state.
void AtomicFileWriter::Reset(const std::string& targetPath, FileMode mode,
                             const ExpectedTarget* expected) {
  Abort();
  mode_ = mode;
  failed_ = false;
  failure_ = WriteFailure::None;
  written_ = 0;
  targetPath_ = targetPath;
  expected_.reset();
  if (expected != nullptr) expected_.emplace(*expected);
}

// The first reason found stands: a later step only fails because of it.
bool AtomicFileWriter::Fail(WriteFailure why) {
  failed_ = true;
  if (failure_ == WriteFailure::None) failure_ = why;
  Abort();
  return false;
}

// Shared by every system: the fail-after-N hook cuts the write short as a
// full disk would.
bool AtomicFileWriter::Flush() {
  if (file_ == nullptr || failed_) return false;
  std::size_t allowed = buffer_.size();
  const std::optional<std::size_t>& limit = hooks_.failAfterBytes;
  if (limit && written_ + allowed > *limit) allowed = *limit - written_;
  const std::size_t n = std::fwrite(buffer_.data(), 1, allowed, file_);
  written_ += n;
  if (n < buffer_.size()) {
    failed_ = true;
    failure_ = n == allowed ? WriteFailure::NoSpace : detail::WriteFailureOf(errno);
  }
  buffer_.clear();
  return !failed_;
}

WriteFailure AtomicFileWriter::CheckTarget() const {
  if (hooks_.beforeCompare) hooks_.beforeCompare();
  const WriteFailure refusal = detail::RefusalOf(targetPath_);
  if (refusal != WriteFailure::None || !expected_) return refusal;
  const std::optional<FileStamp>& stamp = expected_->Stamp();
  bool same = false;
  if (!stamp) {
    same = !FileExists(targetPath_);
  } else if (!expected_->Bytes()) {
    same = StampOf(targetPath_) == stamp;
  } else {
    const std::string& bytes = *expected_->Bytes();
    std::string now;
    FileStamp nowStamp;
    same = ReadWholeFile(targetPath_, now, nowStamp, bytes.size()) == ReadResult::Ok &&
           nowStamp == *stamp && now == bytes;
  }
  return same ? WriteFailure::None : WriteFailure::TargetChanged;
}

// ".<target name>.mapio-XXXXXX", the name cut short where the path would
// be too long. Windows' writer makes the same shape, and a pack may come
// from there.
bool IsTemporaryName(std::string_view name, std::string_view targetName) {
  constexpr std::string_view kMarker = ".mapio-";
  constexpr std::size_t kRandom = 6;
  if (name.size() < 1 + 1 + kMarker.size() + kRandom || name.front() != '.') return false;
  const std::string_view kept = name.substr(1, name.size() - 1 - kMarker.size() - kRandom);
  const std::string_view tail = name.substr(name.size() - kRandom);
  const bool randomPart = std::all_of(tail.begin(), tail.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  });
  return randomPart && name.substr(1 + kept.size(), kMarker.size()) == kMarker &&
         targetName.starts_with(kept);
}

}  // namespace mapio::platform
