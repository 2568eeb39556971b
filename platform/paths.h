// Paths: the separator, joining, and absolute paths made once where a path comes in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapio::platform {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
// Longest folder path a job accepts: what the wide functions take with the
// \\?\ prefix, in UTF-8 bytes (never fewer than its UTF-16 units).
inline constexpr std::size_t kMaxFolderPath = 32767;
#else
inline constexpr char kSeparator = '/';
// The path box holds at most this many characters.
inline constexpr std::size_t kMaxFolderPath = 2048;
#endif

// folder + separator + name, by plain concatenation: a folder that already
// ends in a separator gets a second one, which every system accepts.
std::string JoinPath(std::string_view folder, std::string_view name);

bool IsAbsolutePath(std::string_view path);

// Mapio never changes it: a path is made absolute once, where it comes in
// (a path box, a drop, the command line), and jobs take absolute paths.
std::string CurrentDirectory();

// Relative paths are taken against the current directory; absolute ones as
// they are, and so is an empty path.
std::string AbsolutePath(const std::string& path);

}  // namespace mapio::platform
