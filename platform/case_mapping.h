// Inside the platform layer: the simple (one to one) Unicode case mappings
// that names are lowered and compared by. Each system gives utf8proc's:
// from the library where the system has it, from a table made from it
// (case_table.cpp) where it does not.
#pragma once

namespace mapio::platform {

char32_t SimpleLower(char32_t codePoint);
char32_t SimpleUpper(char32_t codePoint);

// utf8proc's mappings as the table has them; code points it has none for
// map to themselves.
char32_t TableLower(char32_t codePoint);
char32_t TableUpper(char32_t codePoint);

}  // namespace mapio::platform
