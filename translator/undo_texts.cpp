#include "translator/undo_texts.h"

#include "core/counted.h"
#include "core/shown_text.h"
#include "platform/user_files.h"

namespace mapio::translator {

namespace {

std::string Why(const UndoOutcome::Left& left) {
  switch (left.why) {
    case UndoOutcome::Left::Why::Gone: return Shown(left.newName) + " is no longer there";
    case UndoOutcome::Left::Why::NameTaken: return Shown(left.oldName) + " is there again";
    case UndoOutcome::Left::Why::OtherFile:
      return Shown(left.newName) + " is another file than the one the translate renamed";
    case UndoOutcome::Left::Why::Unsafe:
      return Shown(left.oldName) + " would be no file of this folder";
    case UndoOutcome::Left::Why::RenameFailed: break;
  }
  return "the system refused the rename";
}

}  // namespace

std::string WhenText(std::time_t started) { return platform::TimeText(started) + " UTC"; }

std::string RenamesText(std::size_t count) { return Counted(count, "rename"); }

std::string UndoneText(const UndoOutcome& o, bool dryRun) {
  return RenamesText(o.takenBack) + (dryRun ? " would be" : "") + " taken back (the translate of " +
         WhenText(o.started) + ")";
}

std::string LeftText(const UndoOutcome& o) {
  if (o.left.empty()) return {};
  std::string text = std::to_string(o.left.size()) + " left as they are:";
  for (const UndoOutcome::Left& left : o.left)
    text += "\n  " + Shown(left.newName) + " -> " + Shown(left.oldName) + ": " + Why(left);
  return text;
}

std::string UndoFailureText(UndoOutcome::Result result) {
  switch (result) {
    case UndoOutcome::Result::NoJournal: return "no translate of this folder is on record";
    case UndoOutcome::Result::NoJournalFolder:
      return "no translate is on record: the system names no folder for Mapio's files (HOME or "
             "LOCALAPPDATA is not set)";
    case UndoOutcome::Result::CannotRead:
      return "the journal of its latest translate cannot be read";
    case UndoOutcome::Result::JournalNotAFile:
      return "the journal of its latest translate is a link or no file: it is not read";
    case UndoOutcome::Result::TranslateRunning: return "a translate of this folder is running";
    case UndoOutcome::Result::Undone: break;
  }
  return {};
}

std::string TranslateOnRecordText(const TranslateOnRecord& t) {
  std::string text = WhenText(t.started) + "  " + RenamesText(t.renamed);
  if (t.undone != 0) text += ", " + std::to_string(t.undone) + " taken back";
  if (!t.finished) text += ", stopped half-way";
  return text;
}

}  // namespace mapio::translator
