// Inside the platform layer: what the code shared by every system
// (platform_common.cpp) asks of each system's files, by UTF-8 names.
#pragma once

#include <cstdio>
#include <string>

namespace mapio::platform {

// fopen(path, "rb").
std::FILE* OpenForReading(const std::string& path);
// Removes a file; false when it cannot.
bool RemoveFile(const std::string& path);

}  // namespace mapio::platform
