// "C&heck": the check job for the window, its report as the window shows it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/job_host.h"

namespace mapio::ui {

inline constexpr std::string_view kCheckCaption = "Check";

struct CheckOutcome {
  bool clean = false;
  // The summary first, then a line per finding.
  std::string text;
};

// Checks `folder` for `objectKind`; the report names the folder as
// `shownPath` (the path box's text).
CheckOutcome CheckFolder(const std::string& folder, const std::string& shownPath,
                         std::int32_t objectKind,
                         const std::function<void(const JobProgress&)>& progress);

}  // namespace mapio::ui
