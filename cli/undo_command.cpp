#include "cli/undo_command.h"

#include <ostream>

#include "cli/cli.h"
#include "platform/platform.h"
#include "platform/user_files.h"
#include "translator/undo.h"

namespace mapio::cli {
namespace {

std::string When(std::time_t started) { return platform::TimeText(started) + " UTC"; }

std::string Renames(std::size_t n) { return std::to_string(n) + (n == 1 ? " rename" : " renames"); }

std::string Why(const UndoOutcome::Left& left) {
  switch (left.why) {
    case UndoOutcome::Left::Why::Gone: return left.newName + " is no longer there";
    case UndoOutcome::Left::Why::NameTaken: return left.oldName + " is there again";
    case UndoOutcome::Left::Why::RenameFailed: break;
  }
  return "the system refused the rename";
}

bool List(const std::string& folder, const std::string& path, std::ostream& out,
          std::ostream& err) {
  const std::vector<TranslateOnRecord> translates = TranslatesOnRecord(path);
  if (translates.empty()) {
    err << folder << ": no translate of this folder is on record\n";
    return false;
  }
  out << folder << ":\n";
  for (const TranslateOnRecord& t : translates) {
    out << "  " << When(t.started) << "  " << Renames(t.renamed);
    if (t.undone != 0) out << ", " << t.undone << " taken back";
    if (!t.finished) out << ", stopped half-way";
    out << '\n';
  }
  return true;
}

bool Undo(const std::string& folder, const std::string& path, bool dryRun, std::ostream& out,
          std::ostream& err) {
  UndoOptions options;
  options.dryRun = dryRun;
  const UndoOutcome o = UndoTranslate(path, options);
  switch (o.result) {
    case UndoOutcome::Result::NoJournal:
      err << folder << ": no translate of this folder is on record\n";
      return false;
    case UndoOutcome::Result::NoJournalFolder:
      err << folder
          << ": no translate is on record: the system names no folder for Mapio's "
             "files (HOME or LOCALAPPDATA is not set)\n";
      return false;
    case UndoOutcome::Result::CannotRead:
      err << folder << ": the journal of its latest translate cannot be read\n";
      return false;
    case UndoOutcome::Result::Undone: break;
  }
  out << folder << ": " << Renames(o.takenBack) << (dryRun ? " would be" : "")
      << " taken back (the translate of " << When(o.started) << ")\n";
  if (o.left.empty()) return true;
  err << folder << ": " << o.left.size() << " left as they are:\n";
  for (const UndoOutcome::Left& left : o.left)
    err << "  " << left.newName << " -> " << left.oldName << ": " << Why(left) << '\n';
  return false;
}

}  // namespace

int RunUndo(const CliRequest& request, std::ostream& out, std::ostream& err) {
  bool trouble = false;
  for (const std::string& folder : request.folders) {
    const std::string path = platform::CanonicalFolder(platform::AbsolutePath(folder));
    const bool ok =
        request.list ? List(folder, path, out, err) : Undo(folder, path, request.dryRun, out, err);
    trouble = trouble || !ok;
  }
  out << std::flush;
  return trouble ? kExitTrouble : kExitOk;
}

}  // namespace mapio::cli
