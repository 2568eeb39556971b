#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/object_kind.h"

namespace mapio {

// The write format of one record line of a kind: a printf-style pattern
// with %s (name) and %u (ID), made from the kind's target pattern; empty
// for kits, which have KitTemplates.
std::string_view WriteFormatOf(ObjectKind objectKind);

// Write formats indexed by KitKind; each carries its own "\t\t" prefix.
extern const std::span<const std::string_view> KitTemplates;

// How a record's target is written: which of the kind's prefixes and
// suffixes, and whether the ID carries kGeneratedIdPrefix. The make job
// writes the default.
struct TargetStyle {
  std::uint8_t prefix = 0;
  std::uint8_t suffix = 0;
  bool generatedId = false;
  bool operator==(const TargetStyle&) const = default;
};

// The write format of a record in `style` (for kits, of `kitKind`), without
// indent: "<record from=\"%s\" to=\"...%u...\"" + beforeClose + "/>\n".
std::string WriteFormatFor(ObjectKind objectKind, TargetStyle style, KitKind kitKind,
                           std::string_view beforeClose = {});

// The target of one record, with its ID: "graphics/pictures/person/12/portrait".
std::string TargetText(ObjectKind objectKind, TargetStyle style, KitKind kitKind,
                       std::string_view id);

extern const std::string_view MappingHeader;
extern const std::string_view MappingTrailer;

// Fills a write format: the first %s gets `name` unchanged, the first %u the
// ID in decimal. Appends to `out`.
void AppendRecord(std::string& out, std::string_view writeFormat, std::string_view name,
                  std::uint32_t id);

}  // namespace mapio
