// The kinds as the check needs them: the `to` path of every kind's records.
// Everything the check knows of the kinds comes through here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mapio::checker {

struct PathMatch {
  std::int32_t kind = 0;  // Kits for any of the three kit paths
  std::string_view id;    // the digits where the path holds its ID, in `to`
};

// The kind whose records map onto `to`, with the ID; nullopt for a path of
// no kind. Default backgrounds share the faces path, so they are never named.
std::optional<PathMatch> KindOfPath(std::string_view to);

// Whether records of `found` (from KindOfPath) belong to a check of `checked`.
bool IsCheckedKind(std::int32_t checked, std::int32_t found);

// Kits: one team has three paths under one ID.
bool IsKits(std::int32_t kind);

// The path of a kind's records with "ID" where the number goes, such as
// "graphics/pictures/club/ID/logo"; the kit paths joined by " or ".
std::string KindPathText(std::int32_t kind);

}  // namespace mapio::checker
