// The words for what the make and update jobs did, the same in the window
// and on the command line (which leaves out the window's captions).
#pragma once

#include <string>

#include "writer/mapping_updater.h"
#include "writer/mapping_writer.h"

namespace mapio::writer {

inline constexpr std::string_view kFilesNotAdded = "Files not added";  // its caption
inline constexpr std::string_view kReplaceMappingText =
    "config.xml file was found in this directory. Do you want to owerwrite it? If you choose "
    "NO, operation will be aborted.";
inline constexpr std::string_view kReplaceMappingCaption = "ALERT: replace file?";

// The files that got no record, for want of an ID or as no files of the
// folder; empty when there were none.
std::string NotAddedText(const MakeOutcome& outcome);
std::string NotAddedText(const UpdateOutcome& outcome);

// Why the make job wrote nothing; empty when it wrote, or was told to keep
// the file.
std::string MakeFailureText(const MakeOutcome& outcome);

// Why the update job did nothing; empty when it did its work.
std::string UpdateFailureText(const UpdateOutcome& outcome);
// "Success! 2 files added in XML file!\n3 records kept, 1 removed:\nline 7: old"
std::string UpdateSummaryText(const UpdateOutcome& outcome, bool dryRun);

}  // namespace mapio::writer
