// Attribute values as XML has them: entities decoded, faults found.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapio::checker {

struct XmlFault {
  const char* what = nullptr;  // nullptr: the value is well-formed
  std::size_t position = 0;    // of the fault within the raw value
};

// Decodes the five named entities and character references into `out`.
// A bare "&" or "<" makes the value not well-formed: the first such place is
// told in `fault`, and that "&" is kept as written (the make job writes
// names unescaped, and the game's files hold such names).
void DecodeAttribute(std::string_view raw, std::string& out, XmlFault& fault);

}  // namespace mapio::checker
