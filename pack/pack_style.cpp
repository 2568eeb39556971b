#include "pack/pack_style.h"

#include <map>
#include <tuple>

#include "platform/text.h"

namespace mapio::pack {

namespace {

bool IsBlank(std::string_view text) { return platform::Trim(text).empty(); }

TargetStyle MostCommonTarget(const PackFile& file, ObjectKind kind) {
  std::map<std::tuple<int, int, bool>, std::size_t> counts;
  for (const Record& r : file.records) {
    if (r.target.form != Target::Form::Id || !IsCheckedKind(kind, r.target.kind)) continue;
    const TargetStyle& s = r.target.style;
    ++counts[{s.prefix, s.suffix, s.generatedId}];
  }
  TargetStyle best;
  std::size_t bestCount = 0;
  for (const auto& [style, count] : counts) {
    if (count <= bestCount) continue;
    bestCount = count;
    best = {static_cast<std::uint8_t>(std::get<0>(style)),
            static_cast<std::uint8_t>(std::get<1>(style)), std::get<2>(style)};
  }
  return best;
}

}  // namespace

LineStyle StyleOf(const PackFile& file, ObjectKind kind) {
  LineStyle style;
  const std::string_view bytes = file.bytes;
  if (file.lines.Count() > 0) {
    const std::string_view end = LineEndAt(bytes, file.lines.End(1));
    if (!end.empty()) style.lineEnd = end;
  }
  if (file.records.empty()) return style;
  style.target = MostCommonTarget(file, kind);
  const Record& last = file.records.back();
  const std::size_t lineStart = file.lines.Start(last.line);
  const std::string_view indent = bytes.substr(lineStart, last.begin - lineStart);
  if (IsBlank(indent)) style.indent = indent;
  const std::string_view element = bytes.substr(last.begin, last.end - last.begin);
  if (element.ends_with("/>")) {
    const std::string_view head = element.substr(0, element.size() - 2);
    // Blanks only: a record that closes on a line of its own keeps that to itself.
    const std::size_t lastChar = head.find_last_not_of(" \t");
    if (lastChar != std::string_view::npos) style.beforeClose = head.substr(lastChar + 1);
  }
  const std::string_view end = LineEndAt(bytes, file.lines.End(last.lastLine));
  if (!end.empty()) style.lineEnd = end;
  return style;
}

}  // namespace mapio::pack
