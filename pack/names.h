// What every job that reads a pack agrees on: the list's markers, which
// files are pictures, and which names stay inside the pack's folder.
#pragma once

#include <string_view>

namespace mapio::pack {

// The list of maps as the make job writes it, and as the translate job
// looks for it line by line.
inline constexpr std::string_view kListMarker = "<list id=\"maps\">";
inline constexpr std::string_view kListEnd = "</list>";

// A record's picture is its name with one of these, tried in this order.
inline constexpr std::string_view kPictureExtensions[] = {".png", ".jpg", ".gif"};
inline constexpr std::size_t kExtensionLength = 4;

// The index of the name's extension in kPictureExtensions, in any letter
// case; -1 for none.
int PictureExtensionOf(std::string_view fileName);

// Why a record's name would reach outside the pack (a "..", an absolute
// path, a drive, a backslash, which the game on Windows takes for a
// separator), or nullptr when it stays inside. Subfolders are inside.
const char* LeavesFolder(std::string_view name);

// A name of a file right in the folder: inside it, and no subfolder.
bool NamesFileInFolder(std::string_view name);

// A temporary file of config.xml's that a killed run of Mapio left behind:
// exactly the writer's own names, not any name that looks a little like one.
bool IsLeftover(std::string_view name);

}  // namespace mapio::pack
