#include "pack/line_index.h"

#include <algorithm>
#include <cstring>

namespace mapio::pack {

LineIndex::LineIndex(std::string_view bytes) : size_(bytes.size()), bytes_(bytes) {
  starts_.push_back(0);
  const char* data = bytes.data();
  const std::size_t size = bytes.size();
  // Most files have no CR, or a CR only before each LF: one memchr a line.
  const bool loneCr = [&] {
    for (const void* p = std::memchr(data, '\r', size); p != nullptr;) {
      const std::size_t at = static_cast<const char*>(p) - data;
      if (at + 1 >= size || data[at + 1] != '\n') return true;
      p = std::memchr(data + at + 1, '\r', size - at - 1);
    }
    return false;
  }();
  if (!loneCr) {
    for (const void* p = std::memchr(data, '\n', size); p != nullptr;) {
      const std::size_t next = static_cast<const char*>(p) - data + 1;
      starts_.push_back(static_cast<std::uint32_t>(next));
      p = next < size ? std::memchr(data + next, '\n', size - next) : nullptr;
    }
    return;
  }
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
    if (data[i] == '\n' || data[i] == '\r') starts_.push_back(static_cast<std::uint32_t>(i + 1));
  }
}

std::uint32_t LineIndex::Line(std::size_t offset) const {
  offset = std::min(offset, size_);
  return static_cast<std::uint32_t>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                                    starts_.begin());
}

std::size_t LineIndex::End(std::uint32_t line) const {
  std::size_t end = Next(line);
  if (end > Start(line) && bytes_[end - 1] == '\n') --end;
  if (end > Start(line) && bytes_[end - 1] == '\r') --end;
  return end;
}

std::uint32_t LineIndex::Cursor::Line(std::size_t offset) {
  const auto& starts = index_->starts_;
  if (line_ > 1 && offset < starts[line_ - 1]) return line_ = index_->Line(offset);
  while (line_ < starts.size() && starts[line_] <= offset) ++line_;
  return line_;
}

std::string_view LineEndAt(std::string_view bytes, std::size_t lineEnd) {
  if (lineEnd >= bytes.size()) return {};
  if (bytes[lineEnd] == '\r')
    return lineEnd + 1 < bytes.size() && bytes[lineEnd + 1] == '\n' ? "\r\n" : "\r";
  return "\n";
}

}  // namespace mapio::pack
