#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/object_kind.h"

namespace mapio {

class JobHost;

// One record line of a kind: a printf-style pattern with %s (name) and %u
// (ID) for writing, a scanf-style pattern with %[^"] and %[0-9] for reading.
struct RecordTemplate {
  std::string_view writeFormat;
  std::string_view readFormat;
};

enum class TemplateHalf { Write, Read };

// The record template of `objectKind` (Faces for anything outside 0..9).
const RecordTemplate& RecordTemplateOf(std::int32_t objectKind);

// A copy of one half of the kind's template. Kits have none: that shows
// "This line was supposed to never show!" and yields an empty text.
std::string GetRecordTemplate(JobHost& host, std::int32_t objectKind, TemplateHalf half);

// Indexed by KitKind; each carries its own "\t\t" prefix.
extern const std::array<std::string_view, 3> KitTemplates;

extern const std::string_view MappingHeader;
extern const std::string_view MappingTrailer;

// Fills a write format: the first %s gets `name` unchanged, the first %u the
// ID in decimal. Appends to `out`.
void AppendRecord(std::string& out, std::string_view writeFormat, std::string_view name,
                  std::uint32_t id);

// The two fields a read format stores.
struct RecordFields {
  std::string name;  // the from value
  std::string id;    // the ID digits as read, leading zeros kept
};

// Matches a trimmed record line with a read format as sscanf would: the
// number of fields stored (2 or 1), 0 when a character differed before the
// first field, -1 when the line ran out before it. Fields are std::string,
// so nothing is ever written past a buffer; callers check their lengths.
int MatchRecord(std::string_view line, std::string_view readFormat, RecordFields& fields);

}  // namespace mapio
