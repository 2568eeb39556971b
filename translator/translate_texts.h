// The words for what the translate job did, the same in the window and on
// the command line (which leaves out the window's captions).
#pragma once

#include <string>
#include <string_view>

#include "core/mapping_messages.h"
#include "core/name_list.h"
#include "core/shown_text.h"
#include "translator/mapping_translator.h"

namespace mapio::translator {

inline constexpr std::string_view kUnreadableRecordText = "Error parsing XML file!";
inline constexpr std::string_view kProcessedHeading = "The list of processed files:\n\n";
inline constexpr std::string_view kNothingRenamed = "ZARRO files renamed!";
inline constexpr std::string_view kStatusCaption = "Status";

// Names in every text as AppendShown shows them: a name cannot forge a
// line or steer a terminal.
inline std::string NotRenamedText(const std::string& from, const std::string& id) {
  std::string text("Warning: could not rename ");
  AppendShown(text, from);
  AppendShown(text.append(" to "), id);
  return text;
}

// "abc -> 101\n" for a ".png", "abc - > 101\n" for the others.
inline void AppendRenamedLine(std::string& out, const TranslateRename& r) {
  AppendShown(out, r.from);
  AppendShown(out.append(r.extension == 0 ? " -> " : " - > "), r.id);
  out += '\n';
}

// What a dry run tells of each rename: "Abc.PNG -> 101.png".
inline std::string WouldRenameText(const TranslateRename& r) {
  std::string text = Shown(r.oldName);
  AppendShown(text.append(" -> "), r.newName);
  return text;
}

inline constexpr std::string_view kTranslateBusyText =
    "A translate or an undo of this folder is running! No file was renamed.";

// The entries records named that are no files of the folder; empty when
// there were none.
inline std::string PassedOverText(const TranslateOutcome& o) {
  if (o.passedOver.count == 0) return {};
  std::string text(kPassedOver);
  AppendNames(text.append(", so they were not renamed:"), o.passedOver);
  return text;
}

// Why a translate renamed nothing, as the window has always said it
// (whatever kept config.xml from being opened); empty for a run that ran.
inline std::string_view TranslateFailureText(const TranslateOutcome& o) {
  switch (o.result) {
    case TranslateOutcome::Result::NotOpened: return kMappingOpenFailed;
    case TranslateOutcome::Result::NoList: return kMappingReadError;
    case TranslateOutcome::Result::Busy: return kTranslateBusyText;
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

}  // namespace mapio::translator
