// What every system shares of reading a folder's files.
#include <algorithm>
#include <cstdint>

#include "platform/picture_files.h"

namespace mapio::platform {

// Open, read, close: the least a look inside every file of a large pack
// costs. The file is asked what it is only when the read was short (an
// empty file or a pipe) or failed (a folder): three calls a file, not four.
HeadResult ReadFileHead(const FolderFiles& folder, std::string_view name, std::span<char> buffer,
                        FolderFile& file, bool throughLink) {
  HeadResult result;
  result.status = file.Open(folder, name, throughLink);
  if (result.status != FileStatus::Read) return result;
  const std::ptrdiff_t got = file.ReadAt(0, buffer);
  const bool whole = got >= 0 && static_cast<std::size_t>(got) < buffer.size();
  if ((got < 0 || whole) && !file.IsRegular()) {
    file.Close();
    result.status = FileStatus::NotAFile;
    return result;
  }
  if (got < 0) {
    result.status = FileStatus::Failed;
    return result;
  }
  result.length = static_cast<std::size_t>(got);
  if (whole) result.size = result.length;
  return result;
}

// Read to the end rather than to the size the file had when opened: one
// that grows or shrinks meanwhile is taken as it is now, up to the limit.
FileStatus FolderFile::ReadAll(std::string& out, std::uint64_t limit) {
  out.clear();
  if (!IsOpen()) return FileStatus::Failed;
  if (!IsRegular()) return FileStatus::NotAFile;
  limit = std::min<std::uint64_t>(limit, SIZE_MAX - 1);
  if (Size() > limit) return FileStatus::TooLarge;
  std::uint64_t capacity = Size() + 1;
  for (;;) {
    const std::size_t have = out.size();
    out.resize(static_cast<std::size_t>(capacity));
    const std::ptrdiff_t got = ReadAt(have, std::span<char>(out).subspan(have));
    if (got < 0) {
      out.clear();
      return FileStatus::Failed;
    }
    out.resize(have + static_cast<std::size_t>(got));
    if (out.size() > limit) {
      out.clear();
      return FileStatus::TooLarge;
    }
    if (out.size() < capacity) return FileStatus::Read;
    capacity = std::min(capacity * 2, limit + 1);
  }
}

}  // namespace mapio::platform
