#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace mapio::cli {

// A folder argument through the check every job makes first: the folder
// made absolute, or nullopt once its problem has been said on `err`, after
// the folder's name as the job's other lines give it.
std::optional<std::string> FolderArgument(const std::string& given, std::ostream& err);

}  // namespace mapio::cli
