// When a message is too long for a plain message box, which grows past the
// screen instead of scrolling. Each front end counts in its own characters.
#pragma once

#include <cstddef>

namespace mapio::ui {

inline constexpr std::size_t kLongMessageCharacters = 2000;
inline constexpr std::size_t kLongMessageLineBreaks = 25;

constexpr bool IsLongMessage(std::size_t characters, std::size_t lineBreaks) {
  return characters > kLongMessageCharacters || lineBreaks >= kLongMessageLineBreaks;
}

}  // namespace mapio::ui
