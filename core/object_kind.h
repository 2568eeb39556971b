// The kinds of pictures, each written once: every list of kinds in the
// program (record formats, target patterns, the window's object group, the
// command line's names and help) is read from kKinds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace mapio {

// The kind's row in kKinds, and the position of its button in the window's
// "Object" group.
enum class ObjectKind : std::uint8_t {
  Faces,
  Kits,
  NationLogos,
  CompetitionLogos,
  ClubLogos,
  StadiumBackgrounds,
  ClubBackgrounds,
  PlayerBackgrounds,
  CompBackgrounds,
  NationBackgrounds,
  DefaultBackgrounds,
};
// The kinds are named as plainly as before, but are no numbers.
using enum ObjectKind;

enum class KitKind : std::uint8_t { Home, Away, Third };
// Indexed by KitKind: the kit prompt's buttons and the command line's words.
inline constexpr std::array<std::string_view, 3> kKitKindNames = {"home", "away", "third"};

// Newer versions of the game give generated people IDs such as "r-2000123".
inline constexpr std::string_view kGeneratedIdPrefix = "r-";

// Where a kind's records point: a prefix, the ID, a suffix. The first prefix
// and the first suffix are what the make job writes; the others are what
// other packs use for the same pictures (small logos, nations under team/).
// Kits have one suffix per KitKind instead.
struct TargetPattern {
  std::span<const std::string_view> prefixes;
  std::span<const std::string_view> suffixes;
  // What the translate job's read format has after the record's "/>".
  std::string_view readEnd = "\n";
};

struct KindRow {
  std::string_view cliName;     // -k of the command line
  std::string_view buttonText;  // its button in the window's object group
  TargetPattern target;
  bool translatable;  // translate takes it
};

namespace kind_detail {

inline constexpr std::string_view kPerson[] = {"graphics/pictures/person/"};
inline constexpr std::string_view kPortrait[] = {"/portrait"};
inline constexpr std::string_view kTeam[] = {"graphics/pictures/team/"};
inline constexpr std::string_view kKits[] = {"/kits/home", "/kits/away", "/kits/third"};
inline constexpr std::string_view kNation[] = {"graphics/pictures/nation/",
                                               "graphics/pictures/team/"};
inline constexpr std::string_view kComp[] = {"graphics/pictures/comp/"};
inline constexpr std::string_view kClub[] = {"graphics/pictures/club/"};
inline constexpr std::string_view kLogo[] = {"/logo", "/icon"};
inline constexpr std::string_view kNone[] = {""};
inline constexpr std::string_view kStadiumBg[] = {"graphics/backgrounds/stadium/"};
inline constexpr std::string_view kClubBg[] = {"graphics/backgrounds/club/"};
inline constexpr std::string_view kPersonBg[] = {"graphics/backgrounds/person/"};
inline constexpr std::string_view kCompBg[] = {"graphics/backgrounds/comp/"};
inline constexpr std::string_view kNationBg[] = {"graphics/backgrounds/nation/"};

inline constexpr TargetPattern kFaces{kPerson, kPortrait, ""};

}  // namespace kind_detail

// Indexed by ObjectKind; the order is the order of the object group.
inline constexpr KindRow kKinds[] = {
    {"faces", "&faces", kind_detail::kFaces, true},
    {"kits", "&kits", {kind_detail::kTeam, kind_detail::kKits}, false},
    {"nation-logos", "&nation logos", {kind_detail::kNation, kind_detail::kLogo}, true},
    {"competition-logos", "&competition logos", {kind_detail::kComp, kind_detail::kLogo}, true},
    {"club-logos", "c&lub logos", {kind_detail::kClub, kind_detail::kLogo}, true},
    {"stadium-backgrounds",
     "&stadium backgrounds",
     {kind_detail::kStadiumBg, kind_detail::kNone},
     true},
    {"club-backgrounds", "club backgro&unds", {kind_detail::kClubBg, kind_detail::kNone}, true},
    {"player-backgrounds",
     "pla&yer backgrounds",
     {kind_detail::kPersonBg, kind_detail::kNone},
     true},
    {"comp-backgrounds", "c&omp backgrounds", {kind_detail::kCompBg, kind_detail::kNone}, true},
    {"nation-backgrounds",
     "nation backgroun&ds",
     {kind_detail::kNationBg, kind_detail::kNone},
     true},
    // The game has no path of its own for these: they are mapped as faces.
    {"default-backgrounds", "default backg&rounds", kind_detail::kFaces, true},
};
inline constexpr std::size_t kObjectKindCount = std::size(kKinds);

constexpr std::size_t IndexOf(ObjectKind kind) { return static_cast<std::size_t>(kind); }

// The kind at a position of the object group; nullopt for none.
constexpr std::optional<ObjectKind> KindAt(std::size_t position) {
  if (position >= kObjectKindCount) return std::nullopt;
  return static_cast<ObjectKind>(position);
}

// Every kind, in the table's order.
inline constexpr auto kAllKinds = [] {
  std::array<ObjectKind, kObjectKindCount> kinds{};
  for (std::size_t i = 0; i < kObjectKindCount; ++i) kinds[i] = static_cast<ObjectKind>(i);
  return kinds;
}();

// A value made from a byte that is no kind is taken as faces.
constexpr const KindRow& KindOf(ObjectKind kind) {
  return IndexOf(kind) < kObjectKindCount ? kKinds[IndexOf(kind)] : kKinds[0];
}

// Whether two kinds' records are the same records (default backgrounds are
// faces).
constexpr bool SameRecords(ObjectKind a, ObjectKind b) {
  return KindOf(a).target.prefixes.data() == KindOf(b).target.prefixes.data() &&
         KindOf(a).target.suffixes.data() == KindOf(b).target.suffixes.data();
}

}  // namespace mapio
