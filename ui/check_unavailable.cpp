// The Windows build has no XML parser to read packs with (Debian ships
// pugixml for the host only), so its check says so.
#include "ui/check_job.h"

namespace mapio::ui {

CheckOutcome CheckFolder(const std::string&, const std::string&, std::int32_t,
                         const std::function<void(const JobProgress&)>&) {
  return {false, "Check is not part of this build of Mapio."};
}

}  // namespace mapio::ui
