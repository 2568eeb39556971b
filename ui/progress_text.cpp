#include "ui/progress_text.h"

#include "core/counted.h"

namespace mapio::ui {

std::string DescribeProgress(const JobProgress& progress) {
  const std::string done = std::to_string(progress.done);
  switch (progress.phase) {
    case JobProgress::Phase::Counting: return "Counting files: " + done;
    case JobProgress::Phase::Writing:
      return progress.total ? "Writing records: " + done + " of " + Counted(progress.total, "file")
                            : "Writing records: " + Counted(progress.done, "file");
    case JobProgress::Phase::Renaming: return "Renaming files: " + done + " done";
    case JobProgress::Phase::Checking:
      return "Checking records: " + done + " of " + std::to_string(progress.total);
  }
  return {};
}

}  // namespace mapio::ui
