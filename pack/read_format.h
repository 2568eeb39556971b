// The read half of a kind's record template: the scanf-style pattern the
// translate job has always matched a record line with, and the matching.
#pragma once

#include <string>
#include <string_view>

#include "core/object_kind.h"

namespace mapio::pack {

enum class TemplateHalf { Write, Read };

// One record line of a kind: a printf-style pattern with %s (name) and %u
// (ID) for writing, a scanf-style pattern with %[^"] and %[0-9] for
// reading, the second made from the first. Kits have none.
struct RecordTemplate {
  std::string_view writeFormat;
  std::string_view readFormat;
};

// The record template of `objectKind` (faces for a value that is no kind).
const RecordTemplate& RecordTemplateOf(ObjectKind objectKind);

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

}  // namespace mapio::pack
