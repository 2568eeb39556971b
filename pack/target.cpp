#include "pack/target.h"

namespace mapio::pack {

namespace {

// Every target of a picture of the game starts so.
constexpr std::string_view kGraphics = "graphics/";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `to` after a prefix of `kind`: the ID, then one of its suffixes.
bool MatchAfterPrefix(std::string_view to, std::size_t at, ObjectKind kind, Target& target) {
  std::size_t pos = at;
  const bool generated = to.substr(pos).starts_with(kGeneratedIdPrefix);
  if (generated) pos += kGeneratedIdPrefix.size();
  const std::size_t idBegin = pos;
  while (pos < to.size() && IsDigit(to[pos])) ++pos;
  // The ID's offsets are kept small: longer names are no IDs of the game.
  if (pos == idBegin || pos > UINT16_MAX) return false;
  const std::string_view rest = to.substr(pos);
  const auto& suffixes = KindOf(kind).target.suffixes;
  for (std::size_t s = 0; s < suffixes.size(); ++s) {
    if (rest != suffixes[s]) continue;
    target.form = Target::Form::Id;
    target.kind = kind;
    target.style.generatedId = generated;
    if (kind == Kits)
      target.kitKind = static_cast<KitKind>(s);
    else
      target.style.suffix = static_cast<std::uint8_t>(s);
    target.idBegin = static_cast<std::uint16_t>(idBegin);
    target.idSize = static_cast<std::uint16_t>(pos - idBegin);
    return true;
  }
  return false;
}

}  // namespace

Target MatchTarget(std::string_view to) {
  Target target;
  if (!to.starts_with(kGraphics)) return target;
  for (const ObjectKind kind : kAllKinds) {
    // Kinds that share another's records are found as that one.
    if (kind != Faces && SameRecords(kind, Faces)) continue;
    const auto& prefixes = KindOf(kind).target.prefixes;
    for (std::size_t p = 0; p < prefixes.size(); ++p) {
      if (!to.starts_with(prefixes[p])) continue;
      target.style.prefix = static_cast<std::uint8_t>(p);
      if (MatchAfterPrefix(to, prefixes[p].size(), kind, target)) return target;
    }
  }
  target = {};
  target.form = Target::Form::Fixed;
  return target;
}

std::string KindPathText(ObjectKind kind) {
  std::string text;
  const TargetPattern& pattern = KindOf(kind).target;
  // The form the make job writes; for kits, each of the three.
  const std::size_t forms = kind == Kits ? pattern.suffixes.size() : 1;
  for (std::size_t s = 0; s < forms; ++s) {
    if (!text.empty()) text += " or ";
    text.append(pattern.prefixes[0]).append("ID").append(pattern.suffixes[s]);
  }
  return text;
}

}  // namespace mapio::pack
