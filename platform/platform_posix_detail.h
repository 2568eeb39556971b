// What the POSIX files share: the kinds of entries, and the slower ways
// RenameNoReplace takes on file systems that lack an atomic no-replace
// rename (declared here so that tests can run them on any disk).
#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/files.h"

namespace mapio::platform::detail {

// Of what stat gives: never a link. Anything the list does not name (a
// door, a whiteout) is no file, as a link to nothing is.
EntryKind KindOfMode(mode_t mode);
// The kind of the entry `name` of the folder `dirFd`, whose lstat is
// `entry`: a link to a folder is a folder to the user, any other a Link.
EntryKind KindOfEntryAt(int dirFd, const char* name, const struct stat& entry);
// Whether the file system of the open folder `fd` keeps its files'
// numbers for as long as the files.
bool NumbersLast(int fd);

// Hard link to the new name, then drop the old one: link() itself refuses
// an existing target. Falls back to RenameChecked where links are refused.
RenameResult RenameByLink(const std::string& from, const std::string& to);

// Look first, then rename. Not atomic, the last resort (FAT, exFAT).
RenameResult RenameChecked(const std::string& from, const std::string& to);

}  // namespace mapio::platform::detail
