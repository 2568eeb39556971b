#include "ui/check_job.h"

#include "checker/report.h"
#include "core/counted.h"
#include "core/object_kind.h"
#include "scan/scan_report.h"
#include "translator/undo.h"
#include "translator/undo_texts.h"

namespace mapio::ui {

std::string CleanText(const checker::PackReport& report) {
  return checker::SummaryLine(report) + "\n\n" + std::string(kNothingWrongText);
}

std::string AddNewButtonText(std::size_t count) { return "&Add " + Counted(count, "new picture"); }

std::string RemoveMissingButtonText(std::size_t count) {
  return "&Remove " + Counted(count, "missing record");
}

std::string AddNewQuestion(std::size_t count) {
  return (count == 1 ? "Add a record for the new picture"
                     : "Add records for the " + Counted(count, "new picture")) +
         " at the end of the list in config.xml? Nothing else in the file changes.";
}

std::string RemoveMissingQuestion(std::size_t count) {
  return (count == 1 ? "Remove the record whose picture is missing"
                     : "Remove the " + Counted(count, "record") + " whose picture is missing") +
         " from config.xml? Nothing else in the file changes.";
}

std::string ConvertQuestion(const checker::PackReport& report, bool toGenerated) {
  const std::size_t count = toGenerated ? report.plainIds : report.generatedIds;
  return "Convert the " + Counted(count, "record") + " of " +
         std::string(KindOf(report.objectKind).cliName) + " with " +
         (toGenerated ? "plain IDs" : "r- IDs") + " in config.xml to " +
         (toGenerated ? "r- IDs" : "plain IDs") + "? Nothing else in the file changes.";
}

std::string UndoButtonText(const translator::TranslateOnRecord& latest) {
  return "&Undo last translate (" + translator::RenamesText(latest.renamed - latest.undone) + ")";
}

std::string UndoQuestion(const translator::TranslateOnRecord& latest) {
  return "Take back the translate of " + translator::WhenText(latest.started) + " (" +
         translator::RenamesText(latest.renamed - latest.undone) +
         ")? Each picture gets its old name back where no file has taken it; no file is "
         "replaced.";
}

namespace {

// The window shows a check's progress; its findings it holds for the report.
template <class Events>
class ProgressOnly final : public Events {
 public:
  explicit ProgressOnly(const std::function<void(const JobProgress&)>& progress)
      : progress_(progress) {}
  void Progress(const JobProgress& progress) override { progress_(progress); }

 private:
  const std::function<void(const JobProgress&)>& progress_;
};

}  // namespace

FolderReport CheckFolderOrPacks(const std::string& folder, const std::string& shownPath,
                                ObjectKind objectKind,
                                const std::function<void(const JobProgress&)>& progress) {
  scan::ScanOptions options;
  options.ownPackKind = objectKind;
  ProgressOnly<scan::ScanEvents> events(progress);
  ScanReport scanned{shownPath, scan::ScanFolder(folder, options, events)};
  scan::ScanOutcome& found = scanned.outcome;
  if (found.unreadable.empty() && found.packs.size() == 1 && found.packs[0].relative.empty()) {
    checker::PackReport own = std::move(found.packs[0].report);
    own.folderPath = shownPath;
    return own;
  }
  // No pack at all: the check of the folder says what it lacks.
  if (found.unreadable.empty() && found.packs.empty())
    return CheckFolder(folder, shownPath, objectKind, progress);
  return scanned;
}

std::string CleanText(const ScanReport& report) {
  return scan::ScanSummaryLine(report.folderPath, report.outcome) + "\n\n" +
         std::string(kNothingWrongInPacksText);
}

checker::PackReport CheckFolder(const std::string& folder, const std::string& shownPath,
                                ObjectKind objectKind,
                                const std::function<void(const JobProgress&)>& progress) {
  ProgressOnly<checker::CheckEvents> events(progress);
  checker::PackReport report = checker::CheckPack(folder, objectKind, {}, events);
  report.folderPath = shownPath;
  return report;
}

}  // namespace mapio::ui
