#include "ui/id_field.h"

#include "core/id_number.h"

namespace mapio::ui {

bool IsIdFieldText(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<std::uint32_t> ParseIdField(std::string_view text) { return ParseIdNumber(text); }

}  // namespace mapio::ui
