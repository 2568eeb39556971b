// The jobs the check's report offers besides update: convert the pack's
// IDs to the other style, and take its last translate back. Each asks
// first and tells what it did in a box, in the command line's words.
#pragma once

#include <string>

#include "checker/check_pack.h"
#include "ui/check_report.h"
#include "ui/job_host.h"

namespace mapio::ui {

// The buttons a report of `folder` (absolute) offers: add and remove when
// `canUpdate`, a convert for each style the pack is not wholly in, and an
// undo when a translate of the folder is on record.
ReportButtons ReportOffers(const checker::PackReport& report, const std::string& folder,
                           bool canUpdate);

// Converts the records of the report's kind in `folder` to r- IDs
// (`toGenerated`) or plain ones, after a yes.
void ConvertFromReport(JobHost& host, const std::string& folder, const checker::PackReport& report,
                       bool toGenerated);

// Takes back the folder's latest translate, after a yes.
void UndoFromReport(JobHost& host, const std::string& folder);

}  // namespace mapio::ui
