// The editor's Find and Go to line, on the bytes its component holds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ui/editor_text.h"

namespace mapio::ui {

inline constexpr std::string_view kFindCaption = "Find";
inline constexpr std::string_view kGoToLineCaption = "Go to line";

// "Cannot find "TEXT"".
std::string NotFoundText(std::string_view needle);
// "Type a line number from 1 to N."
std::string LineOutOfRangeText(std::size_t lineCount);

// Bytes [begin, end) of the text.
struct TextRange {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const TextRange&) const = default;
};

enum class FindDirection { Next, Previous };

struct FindRequest {
  std::string text;  // UTF-8, as typed
  bool matchCase = false;
  FindDirection direction = FindDirection::Next;
};

// The match of `request` in `bytes` (the editor's, in `encoding`): Next,
// the first one that starts at or after `from`; Previous, the last one that
// starts before it; going round the end of the text once. Without
// matchCase, letters match in either case (Unicode's simple case folding).
// A byte that is not UTF-8 in a UTF-8 text matches nothing typed. nullopt
// when nothing matches, or nothing was typed.
std::optional<TextRange> FindText(std::string_view bytes, TextEncoding encoding,
                                  const FindRequest& request, std::size_t from);

// The line a typed number names: digits, with blanks around them, from 1 to
// `lineCount`; nullopt for anything else.
std::optional<std::size_t> ParseLineNumber(std::string_view typed, std::size_t lineCount);

}  // namespace mapio::ui
