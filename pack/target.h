// What a record's target ("to") points at: a picture of some kind with an
// ID, in one of the forms packs write it, or a fixed picture of the game.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/object_kind.h"
#include "core/record_template.h"

namespace mapio::pack {

struct Target {
  enum class Form : std::uint8_t {
    Id,       // a kind's pattern with an ID
    Fixed,    // another picture of the game's (a placeholder, a default)
    Unknown,  // not the path of a picture at all
  };
  Form form = Form::Unknown;
  ObjectKind kind = Faces;  // for Id; the first of kinds that share records
  TargetStyle style;
  KitKind kitKind = KitKind::Home;  // for kits
  // Where the ID's digits stand in the target (after any "r-").
  std::uint16_t idBegin = 0;
  std::uint16_t idSize = 0;

  std::string_view IdIn(std::string_view to) const { return to.substr(idBegin, idSize); }
  // Where the ID begins as written, its "r-" included.
  std::size_t IdStart() const {
    return style.generatedId ? idBegin - kGeneratedIdPrefix.size() : idBegin;
  }
};

// Every kind's pattern and its variants: "r-" IDs, small logos ("icon"),
// nations under team/; kits by their three suffixes.
Target MatchTarget(std::string_view to);

// Whether records of `found` belong to a check of `checked`.
inline bool IsCheckedKind(ObjectKind checked, ObjectKind found) {
  return SameRecords(checked, found);
}

// The path the make job gives a kind's records, with "ID" where the number
// goes, such as "graphics/pictures/club/ID/logo"; the kits' three joined by
// " or ".
std::string KindPathText(ObjectKind kind);

}  // namespace mapio::pack
