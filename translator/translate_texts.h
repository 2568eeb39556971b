// The words for what the translate job did, the same in the window and on
// the command line (which leaves out the window's captions).
#pragma once

#include <string>
#include <string_view>

#include "core/mapping_messages.h"
#include "translator/mapping_translator.h"

namespace mapio {

inline constexpr std::string_view kUnreadableRecordText = "Error parsing XML file!";
inline constexpr std::string_view kProcessedHeading = "The list of processed files:\n\n";
inline constexpr std::string_view kNothingRenamed = "ZARRO files renamed!";
inline constexpr std::string_view kStatusCaption = "Status";

inline std::string NotRenamedText(const std::string& from, const std::string& id) {
  return "Warning: could not rename " + from + " to " + id;
}

// "abc -> 101\n" for a ".png", "abc - > 101\n" for the others.
inline void AppendRenamedLine(std::string& out, const TranslateRename& r) {
  out.append(r.from).append(r.extension == 0 ? " -> " : " - > ").append(r.id) += '\n';
}

// Why a translate renamed nothing, as the window has always said it
// (whatever kept config.xml from being opened); empty for a run that ran.
inline std::string_view TranslateFailureText(const TranslateOutcome& o) {
  switch (o.result) {
    case TranslateOutcome::Result::NotOpened: return kMappingOpenFailed;
    case TranslateOutcome::Result::NoList: return kMappingReadError;
    case TranslateOutcome::Result::Stopped:
    case TranslateOutcome::Result::Done: break;
  }
  return {};
}

// "\nRenamed 2 of 3 files."
inline std::string RenamedCountText(const TranslateOutcome& o) {
  return "\nRenamed " + std::to_string(o.renamed) + " of " + std::to_string(o.renamed + o.failed) +
         " files.";
}

}  // namespace mapio
