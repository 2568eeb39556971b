// The parts of the platform layer that are the same on every system: paths
// by concatenation and the temporary names. Name order, case and trimming
// differ by system: text_posix.cpp, text_win32.cpp.
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

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
  return randomPart && name.substr(name.size() - kRandom - kMarker.size(), kMarker.size()) == kMarker;
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
