// What a job that reads config.xml says when it cannot.
#pragma once

#include <string_view>

namespace mapio {

inline constexpr std::string_view kMappingOpenFailed = "Could not open config.xml file!";
inline constexpr std::string_view kMappingOpenFailedCaption = "Warning";
// Shown with kErrorCaption.
inline constexpr std::string_view kMappingReadError =
    "Mapio encountered error reading config.xml file!\n\nYou can try the following steps:\n\n"
    "* Open and save it with WordPad\n* Open it with Notepad and look for formating errors\n";

}  // namespace mapio
