#include "checker/kinds.h"

#include <vector>

#include "core/object_kind.h"
#include "core/record_template.h"

namespace mapio::checker {

namespace {

struct KindPath {
  std::int32_t kind;
  std::string_view prefix;  // before the ID
  std::string_view suffix;  // after it, up to the closing quote
};

// The text between `to="` and the closing quote, split at `conversion`.
std::optional<KindPath> PathOf(std::int32_t kind, std::string_view format,
                               std::string_view conversion) {
  constexpr std::string_view kTo = "to=\"";
  const std::size_t start = format.find(kTo);
  if (start == std::string_view::npos) return std::nullopt;
  const std::string_view path = format.substr(start + kTo.size());
  const std::size_t at = path.find(conversion);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view rest = path.substr(at + conversion.size());
  return KindPath{kind, path.substr(0, at), rest.substr(0, rest.find('"'))};
}

const std::vector<KindPath>& AllPaths() {
  static const std::vector<KindPath> paths = [] {
    std::vector<KindPath> all;
    for (std::int32_t kind = 0; kind < kObjectKindCount; ++kind) {
      if (kind == Kits) {
        for (std::string_view kit : KitTemplates)
          if (auto p = PathOf(Kits, kit, "%u")) all.push_back(*p);
        continue;
      }
      if (auto p = PathOf(kind, RecordTemplateOf(kind).readFormat, "%[0-9]")) all.push_back(*p);
    }
    return all;
  }();
  return paths;
}

// The first kind with the same records: kinds beyond the table read as faces.
std::int32_t Canonical(std::int32_t kind) {
  static const std::vector<std::int32_t> canonical = [] {
    std::vector<std::int32_t> table(kObjectKindCount);
    for (std::int32_t kind = 0; kind < kObjectKindCount; ++kind) {
      table[kind] = kind;
      for (std::int32_t k = 0; k < kind && kind != Kits; ++k) {
        if (k != Kits && RecordTemplateOf(k).readFormat == RecordTemplateOf(kind).readFormat) {
          table[kind] = k;
          break;
        }
      }
    }
    return table;
  }();
  if (kind < 0 || kind >= kObjectKindCount) return canonical[Faces];
  return canonical[kind];
}

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::optional<PathMatch> KindOfPath(std::string_view to) {
  for (const KindPath& p : AllPaths()) {
    if (to.size() <= p.prefix.size() + p.suffix.size() || !to.starts_with(p.prefix) ||
        !to.ends_with(p.suffix))
      continue;
    const std::string_view id =
        to.substr(p.prefix.size(), to.size() - p.prefix.size() - p.suffix.size());
    if (IsDigits(id)) return PathMatch{p.kind, id};
  }
  return std::nullopt;
}

bool IsCheckedKind(std::int32_t checked, std::int32_t found) {
  if (checked == Kits || found == Kits) return checked == found;
  return Canonical(checked) == Canonical(found);
}

bool IsKits(std::int32_t kind) { return kind == Kits; }

std::string KindPathText(std::int32_t kind) {
  std::string text;
  for (const KindPath& p : AllPaths()) {
    if (!IsCheckedKind(kind, p.kind)) continue;
    if (!text.empty()) text += " or ";
    text.append(p.prefix).append("ID").append(p.suffix);
  }
  return text;
}

}  // namespace mapio::checker
