#include "core/chosen_folder.h"

#include "platform/files.h"
#include "platform/paths.h"

namespace mapio {

ChosenFolder ChooseFolder(std::string_view given) {
  ChosenFolder chosen;
  if (given.empty()) {
    chosen.problem = FolderProblem::Empty;
  } else if (given.size() > platform::kMaxFolderPath) {
    chosen.problem = FolderProblem::TooLong;
  } else {
    chosen.path = platform::AbsolutePath(std::string(given));
    if (!platform::IsDirectory(chosen.path))
      chosen.problem =
          platform::FileExists(chosen.path) ? FolderProblem::NotAFolder : FolderProblem::Missing;
  }
  return chosen;
}

std::string_view FolderProblemText(FolderProblem problem) {
  return problem == FolderProblem::Empty ? kChooseDirText : kNoDirText;
}

}  // namespace mapio
