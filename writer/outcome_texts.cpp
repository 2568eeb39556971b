#include "writer/outcome_texts.h"

#include "core/counted.h"
#include "core/mapping_messages.h"
#include "core/name_list.h"
#include "core/shown_text.h"

namespace mapio::writer {

namespace {

std::string NotAddedText(const NameList& tooLarge, const NameList& unnumbered,
                         const NameList& passedOver) {
  std::string text;
  if (tooLarge.count != 0) {
    text =
        "These files were not added: the number their names begin with is too large for an ID "
        "(the IDs go from 0 to 4294967295; names may begin with -2147483648 to -1 too):";
    AppendNames(text, tooLarge);
  }
  if (unnumbered.count != 0) {
    text += text.empty() ? "" : "\n\n";
    text +=
        "These pictures were not added: their names begin with no number, so they need an ID "
        "typed in (leave out -n or untick \"All filenames are IDs\") or a name that begins "
        "with their ID:";
    AppendNames(text, unnumbered);
  }
  if (passedOver.count != 0) {
    text += text.empty() ? "" : "\n\n";
    text.append(kPassedOver).append(", so no record maps them:");
    AppendNames(text, passedOver);
  }
  return text;
}

}  // namespace

std::string NotAddedText(const MakeOutcome& outcome) {
  return NotAddedText(outcome.tooLarge, {}, outcome.passedOver);
}

std::string NotAddedText(const UpdateOutcome& outcome) {
  return NotAddedText(outcome.tooLarge, outcome.unnumbered, outcome.passedOver);
}

std::string MakeFailureText(const MakeOutcome& outcome) {
  using Result = MakeOutcome::Result;
  switch (outcome.result) {
    case Result::Written:
    case Result::Kept: return {};
    case Result::ListingFailed: return std::string(kListingFailed);
    case Result::NotCreated:
      if (outcome.failure == platform::WriteFailure::NoSpace ||
          outcome.failure == platform::WriteFailure::IoError)
        return "config.xml could not be created in this directory! No file was changed.";
      break;
    case Result::WriteFailed: break;
  }
  return std::string(WriteFailureText(outcome.failure));
}

std::string UpdateFailureText(const UpdateOutcome& outcome) {
  using Result = UpdateOutcome::Result;
  switch (outcome.result) {
    case Result::Updated: return {};
    case Result::NotRead: return std::string(ReadFailureText(outcome.readResult, outcome.utf16));
    case Result::NoList: return std::string(kMappingReadError);
    case Result::ListingFailed: return std::string(kListingFailed);
    case Result::WriteFailed: break;
  }
  return std::string(WriteFailureText(outcome.failure));
}

std::string UpdateSummaryText(const UpdateOutcome& outcome, bool dryRun) {
  const std::string removed = std::to_string(outcome.removed.size());
  const std::string kept = Counted(outcome.kept, "record");
  std::string text =
      dryRun
          ? "Dry run, nothing was written: " + Counted(outcome.added, "file") +
                " would be added in XML file!\n" + kept + " would be kept, " + removed + " removed"
          : SuccessText(outcome.added) + "\n" + kept + " kept, " + removed + " removed";
  text += outcome.removed.empty() ? "." : ":";
  for (const UpdateOutcome::Removed& r : outcome.removed)
    AppendShown(text += "\nline " + std::to_string(r.line) + ": ", r.name);
  return text;
}

}  // namespace mapio::writer
