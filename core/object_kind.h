// The kinds of pictures, each written once: every list of kinds in the
// program (record formats, the window's object group, the command line's
// names and help) is read from kKinds.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace mapio {

// Position of the marked button in the window's "Object" group, and the
// kind's row in kKinds.
enum ObjectKind : std::int32_t {
  Faces = 0,
  Kits = 1,
  NationLogos = 2,
  CompetitionLogos = 3,
  ClubLogos = 4,
  StadiumBackgrounds = 5,
  ClubBackgrounds = 6,
  PlayerBackgrounds = 7,
  CompBackgrounds = 8,
  NationBackgrounds = 9,
  DefaultBackgrounds = 10,
};

enum class KitKind : std::int32_t { Home = 0, Away = 1, Third = 2 };
// Indexed by KitKind: the kit prompt's buttons and the command line's words.
inline constexpr std::array<std::string_view, 3> kKitKindNames = {"home", "away", "third"};

// One record line of a kind: a printf-style pattern with %s (name) and %u
// (ID) for writing, a scanf-style pattern with %[^"] and %[0-9] for reading.
struct RecordTemplate {
  std::string_view writeFormat;
  std::string_view readFormat;
};

struct KindRow {
  std::string_view cliName;     // -k of the command line
  std::string_view buttonText;  // its button in the window's object group
  RecordTemplate record;        // empty for kits, which use kitFormats
  bool translatable;            // translate takes it
  // Write formats indexed by KitKind; each carries its own "\t\t" prefix.
  std::span<const std::string_view> kitFormats = {};
};

namespace kind_detail {

inline constexpr RecordTemplate kFaces{
    "<record from=\"%s\" to=\"graphics/pictures/person/%u/portrait\"/>\n",
    "<record from=\"%[^\"]\" to=\"graphics/pictures/person/%[0-9]/portrait\"/>"};

inline constexpr std::array<std::string_view, 3> kKitFormats = {
    "\t\t<record from=\"%s\" to=\"graphics/pictures/team/%u/kits/home\"/>\n",
    "\t\t<record from=\"%s\" to=\"graphics/pictures/team/%u/kits/away\"/>\n",
    "\t\t<record from=\"%s\" to=\"graphics/pictures/team/%u/kits/third\"/>\n",
};

}  // namespace kind_detail

// Indexed by ObjectKind; the order is the order of the object group.
inline constexpr KindRow kKinds[] = {
    {"faces", "&faces", kind_detail::kFaces, true},
    {"kits", "&kits", {"", ""}, false, kind_detail::kKitFormats},
    {"nation-logos",
     "&nation logos",
     {"<record from=\"%s\" to=\"graphics/pictures/nation/%u/logo\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/pictures/nation/%[0-9]/logo\"/>\n"},
     true},
    {"competition-logos",
     "&competition logos",
     {"<record from=\"%s\" to=\"graphics/pictures/comp/%u/logo\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/pictures/comp/%[0-9]/logo\"/>\n"},
     true},
    {"club-logos",
     "c&lub logos",
     {"<record from=\"%s\" to=\"graphics/pictures/club/%u/logo\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/pictures/club/%[0-9]/logo\"/>\n"},
     true},
    {"stadium-backgrounds",
     "&stadium backgrounds",
     {"<record from=\"%s\" to=\"graphics/backgrounds/stadium/%u\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/backgrounds/stadium/%[0-9]\"/>\n"},
     true},
    {"club-backgrounds",
     "club backgro&unds",
     {"<record from=\"%s\" to=\"graphics/backgrounds/club/%u\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/backgrounds/club/%[0-9]\"/>\n"},
     true},
    {"player-backgrounds",
     "pla&yer backgrounds",
     {"<record from=\"%s\" to=\"graphics/backgrounds/person/%u\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/backgrounds/person/%[0-9]\"/>\n"},
     true},
    {"comp-backgrounds",
     "c&omp backgrounds",
     {"<record from=\"%s\" to=\"graphics/backgrounds/comp/%u\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/backgrounds/comp/%[0-9]\"/>\n"},
     true},
    {"nation-backgrounds",
     "nation backgroun&ds",
     {"<record from=\"%s\" to=\"graphics/backgrounds/nation/%u\"/>\n",
      "<record from=\"%[^\"]\" to=\"graphics/backgrounds/nation/%[0-9]\"/>\n"},
     true},
    // The game has no path of its own for these: they are mapped as faces.
    {"default-backgrounds", "default backg&rounds", kind_detail::kFaces, true},
};
inline constexpr std::int32_t kObjectKindCount = static_cast<std::int32_t>(std::size(kKinds));

}  // namespace mapio
