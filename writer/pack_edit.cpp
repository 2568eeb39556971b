#include "writer/pack_edit.h"

#include "platform/platform.h"

namespace mapio {

std::string_view LineEndOf(std::string_view bytes) {
  const std::size_t lf = bytes.find('\n');
  return lf != std::string_view::npos && lf > 0 && bytes[lf - 1] == '\r' ? "\r\n" : "\n";
}

std::size_t InsertionPoint(std::string_view bytes, std::size_t listEnd, bool& needsBreak) {
  const std::size_t lf = bytes.substr(0, listEnd).rfind('\n');
  const std::size_t lineStart = lf == std::string_view::npos ? 0 : lf + 1;
  needsBreak = !platform::Trim(bytes.substr(lineStart, listEnd - lineStart)).empty();
  return needsBreak ? listEnd : lineStart;
}

std::string ApplyPackEdit(std::string_view bytes, const PackEdit& edit) {
  std::string out;
  out.reserve(bytes.size() + edit.insert.size());
  std::size_t line = 1;
  std::size_t pos = 0;
  auto removed = edit.removeLines.begin();
  bool inserted = false;
  while (pos < bytes.size() || !inserted) {
    if (!inserted && pos >= edit.insertAt) {
      out.append(bytes.substr(pos, edit.insertAt - pos));
      out += edit.insert;
      pos = edit.insertAt;
      inserted = true;
      continue;
    }
    std::size_t end = bytes.find('\n', pos);
    end = end == std::string_view::npos ? bytes.size() : end + 1;
    if (!inserted && edit.insertAt < end) end = edit.insertAt;
    const bool lineEnds = end > pos && bytes[end - 1] == '\n';
    while (removed != edit.removeLines.end() && *removed < line) ++removed;
    if (removed == edit.removeLines.end() || *removed != line)
      out.append(bytes.substr(pos, end - pos));
    pos = end;
    if (lineEnds) ++line;
  }
  return out;
}

}  // namespace mapio
