#include "pack/pack_edit.h"

#include <algorithm>

#include "platform/platform.h"

namespace mapio::pack {

namespace {

bool IsBlank(std::string_view text) { return platform::Trim(text).empty(); }

}  // namespace

std::vector<PackEdit::Splice> PackEdit::Sorted() const {
  std::vector<Splice> sorted = splices_;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Splice& a, const Splice& b) { return a.at < b.at; });
  return sorted;
}

void PackEdit::WriteTo(std::string_view bytes,
                       const std::function<void(std::string_view)>& write) const {
  const auto byPlace = [](const Splice& a, const Splice& b) { return a.at < b.at; };
  // Jobs make their splices in the file's order: no copy of half a million.
  const bool sorted = std::is_sorted(splices_.begin(), splices_.end(), byPlace);
  std::vector<Splice> copy;
  if (!sorted) copy = Sorted();
  std::size_t pos = 0;
  for (const Splice& s : sorted ? splices_ : copy) {
    if (s.at > pos) write(bytes.substr(pos, s.at - pos));
    if (!s.text.empty()) write(s.text);
    pos = std::max(pos, s.at + s.erase);
  }
  if (pos < bytes.size()) write(bytes.substr(pos));
}

std::string PackEdit::Apply(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size());
  WriteTo(bytes, [&out](std::string_view piece) { out.append(piece); });
  return out;
}

platform::WriteFailure WriteEdited(const std::string& path, const PackFile& file,
                                   const PackEdit& edit, const platform::WriterHooks& hooks) {
  const platform::ExpectedTarget expected(file.stamp, file.bytes);
  platform::AtomicFileWriter writer(hooks);
  writer.Open(path, platform::FileMode::Binary, &expected);
  edit.WriteTo(file.bytes, [&writer](std::string_view piece) { writer.Write(piece); });
  if (!writer.Failed() && writer.Commit()) return platform::WriteFailure::None;
  return writer.Failure();
}

std::pair<std::size_t, std::size_t> RemovalRange(const PackFile& file, const Record& record) {
  const std::string_view bytes = file.bytes;
  const std::size_t lineStart = file.lines.Start(record.line);
  const std::size_t lineEnd = file.lines.End(record.lastLine);
  const bool alone = IsBlank(bytes.substr(lineStart, record.begin - lineStart)) &&
                     IsBlank(bytes.substr(record.end, lineEnd - record.end));
  if (!alone) return {record.begin, record.end};
  return {lineStart, file.lines.Next(record.lastLine)};
}

std::size_t InsertionPoint(const PackFile& file, bool& needsBreak) {
  const std::uint32_t line = file.lines.Line(file.listEnd);
  const std::size_t lineStart = file.lines.Start(line);
  needsBreak = !IsBlank(std::string_view(file.bytes).substr(lineStart, file.listEnd - lineStart));
  return needsBreak ? file.listEnd : lineStart;
}

}  // namespace mapio::pack
