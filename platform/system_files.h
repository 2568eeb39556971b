// Inside the platform layer: what the code shared by every system
// (platform_common.cpp) asks of each system's files, by UTF-8 names.
#pragma once

#include <cstdio>
#include <string>

#include "platform/user_files.h"  // RemoveFile

namespace mapio::platform {

// fopen(path, "rb").
std::FILE* OpenForReading(const std::string& path);

}  // namespace mapio::platform
