// The one rule for an ID typed by a user, in a window's number field or on
// the command line: digits only, 0 to 4294967295.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace mapio {

// nullopt for an empty text, anything but digits, or a number too large.
inline std::optional<std::uint32_t> ParseIdNumber(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > kMax) return std::nullopt;  // also stops before any overflow
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace mapio
