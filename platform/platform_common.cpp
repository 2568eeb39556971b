// The parts of the platform layer that are the same on every system: paths
// by concatenation, the start-up directory, the order of a listing, reading
// text files and the temporary names. What differs lives in the *_posix.cpp
// and *_win32.cpp files.
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

namespace mapio::platform {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path.push_back(kSeparator);
  path.append(name);
  return path;
}

bool IsTemporaryName(std::string_view name) {
  // ".<target name>.mapio-XXXXXX", as AtomicFileWriter makes them.
  constexpr std::string_view kMarker = ".mapio-";
  constexpr std::size_t kRandom = 6;
  if (name.size() < 1 + 1 + kMarker.size() + kRandom || name.front() != '.') return false;
  const std::string_view tail = name.substr(name.size() - kRandom);
  const bool randomPart = std::all_of(tail.begin(), tail.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  });
  return randomPart &&
         name.substr(name.size() - kRandom - kMarker.size(), kMarker.size()) == kMarker;
}

std::string ResolveAgainstStartup(const std::string& path) {
  if (path.empty() || IsAbsolutePath(path)) return path;
  const std::string& base = StartupDirectory();
  // Unknown when the start folder was already gone: joining to "" would
  // point the path at the root, so it stays relative to the current folder.
  if (base.empty()) return path;
  // The root folder already ends in a separator; "//x" means something
  // else on some systems.
  if (base.back() == kSeparator) return base + path;
  return JoinPath(base, path);
}

const std::string& StartupDirectory() {
  static const std::string startup = CurrentDirectory();
  return startup;
}

// Folds each name once, then sorts by (key, bytes): the order of CompareNames.
void SortByName(std::vector<DirEntry>& entries) {
  std::vector<std::pair<std::u16string, std::size_t>> keys;
  keys.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    keys.emplace_back(NameSortKey(entries[i].name), i);
  }
  std::sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return entries[a.second].name < entries[b.second].name;
  });
  std::vector<DirEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& key : keys) sorted.push_back(std::move(entries[key.second]));
  entries = std::move(sorted);
}

// --- UTF-8 ------------------------------------------------------------------

std::size_t Utf8Length(std::string_view s, std::size_t pos, char32_t& c) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || pos + length > s.size()) return 0;
  c = lead & (0x3F >> (length - 1));
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsValidUtf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = Utf8Length(text, pos, c);
    if (length == 0) return false;
    pos += length;
  }
  return true;
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

TextReader::~TextReader() { Close(); }

bool TextReader::Open(const std::string& path, FileMode mode) {
  Close();
  mode_ = mode;
  // A folder opens for reading on some systems, then fails every read.
  if (path.find('\0') != std::string::npos || IsDirectory(path)) return false;
  file_ = std::fopen(path.c_str(), "rb");
  return file_ != nullptr;
}

// Not fgets: a NUL byte in the file would hide the length of the piece.
std::size_t TextReader::ReadPiece(char* buffer, std::size_t size) {
  if (file_ == nullptr || size == 0) return 0;
  const bool joinCrLf = kCrLfOnDisk && mode_ == FileMode::Text;
  std::size_t used = 0;
  while (used + 1 < size) {
    int c = NextByte(file_);
    if (c == EOF) break;
    if (c == '\r' && joinCrLf) {
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
  out.clear();
  if (file_ == nullptr) return false;
  // One allocation for the size the file has now (growing by doubling
  // copies a large file twice over).
  const long start = std::ftell(file_);
  if (start >= 0 && std::fseek(file_, 0, SEEK_END) == 0) {
    const long end = std::ftell(file_);
    if (end > start) out.reserve(static_cast<std::size_t>(end - start));
    std::fseek(file_, start, SEEK_SET);
  }
  char chunk[64 * 1024];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, file_);
    out.append(chunk, n);
    if (n < sizeof chunk) break;
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
}

// --- AtomicFileWriter -----------------------------------------------------

namespace {

std::optional<std::size_t>& FailAfterSetting() {
  static std::optional<std::size_t> bytes;
  return bytes;
}

}  // namespace

void AtomicFileWriter::FailAfterBytesForTesting(std::optional<std::size_t> bytes) {
  FailAfterSetting() = bytes;
}

AtomicFileWriter::~AtomicFileWriter() { Abort(); }

void AtomicFileWriter::Abort() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!tempPath_.empty()) std::remove(tempPath_.c_str());
  tempPath_.clear();
  buffer_.clear();
}

// Every Open starts from here: a clean state that takes the test hook's
// setting of the moment.
void AtomicFileWriter::Reset(const std::string& targetPath, FileMode mode) {
  Abort();
  mode_ = mode;
  failed_ = false;
  written_ = 0;
  failAfter_ = FailAfterSetting();
  targetPath_ = targetPath;
}

// Shared by every system: the fail-after-N test hook cuts the write short
// as a full disk would.
bool AtomicFileWriter::Flush() {
  if (file_ == nullptr || failed_) return false;
  std::size_t allowed = buffer_.size();
  if (failAfter_ && written_ + allowed > *failAfter_) allowed = *failAfter_ - written_;
  const std::size_t n = std::fwrite(buffer_.data(), 1, allowed, file_);
  written_ += n;
  if (n < buffer_.size()) {
    if (n == allowed) errno = ENOSPC;
    failed_ = true;
  }
  buffer_.clear();
  return !failed_;
}

}  // namespace mapio::platform
