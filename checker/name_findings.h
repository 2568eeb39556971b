// What the check says of the names of a pack's files rather than of their
// contents: names that are no files of the pack, and names that Windows,
// where most players are, cannot open, whatever system the pack was made on.
#pragma once

#include <string>
#include <string_view>

#include "pack/pack_folder.h"

namespace mapio::checker {

// "a FIFO (named pipe), not a picture: make and update pass it over".
std::string NotAFileDetail(const pack::PackEntry& entry);

// Why Windows cannot open a file named `name`: a device's name (with any
// extension), a dot or a space at its end, a character it keeps for
// itself. "" when it can.
std::string WindowsNameDetail(std::string_view name);

// The same for the folders of a record's name ("faces./abc"); its last
// part is a picture's name, which the picture's own finding covers.
std::string WindowsFolderDetail(std::string_view recordName);

}  // namespace mapio::checker
