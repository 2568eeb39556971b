// A number with its noun, which agrees with it: "1 record", "2 records".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapio {

inline std::string Counted(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n).append(" ").append(n == 1 ? one : many);
}

// For the nouns that take an s.
inline std::string Counted(std::size_t n, std::string_view one) {
  std::string text = Counted(n, one, one);
  if (n != 1) text += 's';
  return text;
}

}  // namespace mapio
