// Attribute values as XML has them: entities decoded, faults found, and
// names escaped so that every XML reader takes them back as they were.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapio::pack {

struct XmlFault {
  const char* what = nullptr;  // nullptr: the value is well-formed
  std::size_t position = 0;    // of the fault within the raw value
};

// Decodes the five named entities and character references into `out`,
// and reads a tab or line end written as it is as a blank, as XML readers do.
// A bare "&" or "<" makes the value not well-formed: the first such place is
// told in `fault`, and that "&" is kept as written (older files hold such
// names, and the translate job still takes them).
void DecodeAttribute(std::string_view raw, std::string& out, XmlFault& fault);

// Whether `raw` holds anything DecodeAttribute would change or complain of.
bool NeedsDecoding(std::string_view raw);

// A name as a double-quoted attribute value: "&", "<" and '"' as entities,
// control characters as character references. A name without any of them
// comes back as it is.
std::string EscapeAttribute(std::string_view name);

}  // namespace mapio::pack
