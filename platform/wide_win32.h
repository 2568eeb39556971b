// Windows only: UTF-8 names and texts at the edge of the wide ("W") API,
// for the platform layer and the native window.
#pragma once

#include <string>
#include <string_view>

namespace mapio::platform {

// A UTF-8 path as the wide functions take it: UTF-16, and once it is long
// enough to meet MAX_PATH, the full path behind \\?\, which lifts that
// limit. Empty when the path holds bytes that are not UTF-8: no name on
// disk is spelt so, and every function fails on an empty path.
std::wstring SystemPath(const std::string& path);

// Text for windows and messages; a byte that is not UTF-8 shows as U+FFFD.
std::wstring Widen(std::string_view text);

// Text from the system (names, what the user typed) as UTF-8, losslessly.
std::string Narrow(std::wstring_view text);

}  // namespace mapio::platform
