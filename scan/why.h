// The why job: what the game would find for one ID of one kind, across
// every pack below a folder. Changes no file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checker/check_pack.h"
#include "core/object_kind.h"
#include "pack/matching.h"
#include "scan/pack_walk.h"

namespace mapio::scan {

// The ID's digits from "2000123" or "r-2000123"; nullopt for anything else.
std::optional<std::string> IdOfArgument(std::string_view text);

struct WhyRecord {
  std::string pack;  // the pack's path below the folder, "" for the folder itself
  std::uint32_t line = 0;
  std::string from;
  std::string to;
  bool generatedId = false;  // "r-2000123" rather than "2000123"
  // NotLooked: the name leaves the pack's folder; nothing was looked for.
  pack::Picture picture = pack::Picture::NotLooked;
  // Below the folder: the picture found, or every file found in other
  // letter case, or the picture named after the ID (Translated).
  std::vector<std::string> files;
  // What the first of `files` holds, when it was looked into.
  std::string_view format;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // The check's findings about the record, and those about its picture.
  std::vector<checker::Finding> findings;
};

struct WhyOutcome {
  std::vector<WhyRecord> records;  // in the walk's order, then by line
  // When no record maps the ID: the pictures below the folder named after
  // it ("2000123.png", "r-2000123.png") that no record names.
  std::vector<std::string> unmapped;
  std::size_t packs = 0;
  std::size_t links = 0;
  std::vector<std::string> unreadable;
  // Exactly one record maps the ID, its picture is found and nothing is
  // wrong with either.
  bool InOrder() const;
};

// `id` is the ID's digits; `folder` absolute.
WhyOutcome ExplainId(const std::string& folder, ObjectKind kind, std::string_view id,
                     const WalkOptions& walk = {});

}  // namespace mapio::scan
