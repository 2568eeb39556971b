// The words for what the convert job did, the same on the command line
// (after "FOLDER: ") and in the window.
#pragma once

#include <string>

#include "convert/convert_ids.h"

namespace mapio::convert {

// "r- IDs" or "plain IDs".
std::string_view IdStyleName(IdStyle style);

// "2 records of faces converted to r- IDs (17 already so)"; with `dryRun`
// "would be converted".
std::string ConvertedText(const ConvertOutcome& outcome, IdStyle to, bool dryRun);

// "nothing to convert: no record of faces is in the other style (3 already so)"
std::string NothingToConvertText(const ConvertOutcome& outcome);

// Why config.xml was not converted: a file that cannot be read, no list
// of maps, or a write that failed. Empty for the other results.
std::string ConvertFailureText(const ConvertOutcome& outcome);

}  // namespace mapio::convert
