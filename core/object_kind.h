#pragma once

#include <cstdint>

namespace mapio {

// Position of the marked button in the window's "Object" group.
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
inline constexpr std::int32_t kObjectKindCount = 11;

enum class KitKind : std::int32_t { Home = 0, Away = 1, Third = 2 };

}  // namespace mapio
