// The folder a job works on, from what the user gave: the one check that
// every job makes first, in both windows and on the command line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mapio {

inline constexpr std::string_view kChooseDirText = "Please choose directory!";
inline constexpr std::string_view kNoDirText = "Directory does not exist, please check the path!";
inline constexpr std::string_view kChooseDirCaption = "Choose directory";

enum class FolderProblem : std::uint8_t { None, Empty, TooLong, Missing, NotAFolder };

struct ChosenFolder {
  // Absolute, made so once: the current directory never changes. Kept for a
  // folder that is missing, so that a job may still name it.
  std::string path;
  FolderProblem problem = FolderProblem::None;
  explicit operator bool() const { return problem == FolderProblem::None; }
};

ChosenFolder ChooseFolder(std::string_view given);

// What the user is told: an empty path asks for one, any other problem says
// the folder is not there.
std::string_view FolderProblemText(FolderProblem problem);

}  // namespace mapio
