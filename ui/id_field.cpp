#include "ui/id_field.h"

#include <limits>

namespace mapio::ui {

bool IsIdFieldText(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<std::uint32_t> ParseIdField(std::string_view text) {
  if (text.empty() || !IsIdFieldText(text)) return std::nullopt;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t value = 0;
  for (char c : text) {
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > kMax) return std::nullopt;  // also stops before any overflow
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace mapio::ui
