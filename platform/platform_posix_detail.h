// The slower ways RenameNoReplace takes on file systems that lack an atomic
// no-replace rename. Declared here so that tests can run them on any disk.
#pragma once

#include <string>

#include "platform/files.h"

namespace mapio::platform::detail {

// Hard link to the new name, then drop the old one: link() itself refuses
// an existing target. Falls back to RenameChecked where links are refused.
RenameResult RenameByLink(const std::string& from, const std::string& to);

// Look first, then rename. Not atomic, the last resort (FAT, exFAT).
RenameResult RenameChecked(const std::string& from, const std::string& to);

}  // namespace mapio::platform::detail
