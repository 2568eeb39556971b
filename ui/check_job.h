// "C&heck": the check job for the window, its report as the window shows it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/job_host.h"

namespace mapio::ui {

inline constexpr std::string_view kCheckCaption = "Check";

struct CheckOutcome {
  bool clean = false;
  // The summary first, then a line per finding.
  std::string text;
  // What the update job would do: records for new pictures, and records
  // whose picture is missing (which it can remove).
  std::size_t newPictures = 0;
  std::size_t missingRecords = 0;
};

// The report's buttons and the questions they ask before the update runs.
std::string AddNewButtonText(std::size_t count);
std::string RemoveMissingButtonText(std::size_t count);
std::string AddNewQuestion(std::size_t count);
std::string RemoveMissingQuestion(std::size_t count);
inline constexpr std::string_view kUpdateCaption = "Update config.xml";

// Checks `folder` for `objectKind`; the report names the folder as
// `shownPath` (the path box's text).
CheckOutcome CheckFolder(const std::string& folder, const std::string& shownPath,
                         std::int32_t objectKind,
                         const std::function<void(const JobProgress&)>& progress);

}  // namespace mapio::ui
