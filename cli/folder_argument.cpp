#include "cli/folder_argument.h"

#include <ostream>

#include "core/chosen_folder.h"

namespace mapio::cli {

std::optional<std::string> FolderArgument(const std::string& given, std::ostream& err) {
  ChosenFolder folder = ChooseFolder(given);
  if (folder) return std::move(folder.path);
  // These jobs' lines begin with the folder; an empty one has no name to give.
  if (!given.empty()) err << given << ": ";
  err << FolderProblemText(folder.problem) << '\n';
  return std::nullopt;
}

}  // namespace mapio::cli
