// What the ID prompts accept in their number field.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mapio::ui {

// The text of the message that refuses Add (shown with the application's
// name as caption, warning kind).
inline constexpr std::string_view kIdFieldRefusal =
    "Please enter a whole number from 0 to 4294967295.";

// True when `text` may stand in the field: digits only (empty included, so
// the user can clear it while typing).
bool IsIdFieldText(std::string_view text);

// The ID the field holds, or nullopt when Add must be refused: an empty
// field, anything but digits, or a number above 4294967295.
std::optional<std::uint32_t> ParseIdField(std::string_view text);

}  // namespace mapio::ui
