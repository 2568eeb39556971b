// The words for what the undo job did and what is on record, the same on
// the command line (after "FOLDER: ") and in the window.
#pragma once

#include <string>

#include "translator/undo.h"

namespace mapio::translator {

// "2026-12-09 14:03:27 UTC"
std::string WhenText(std::time_t started);
// "1 rename", "1312 renames"
std::string RenamesText(std::size_t count);

// "1312 renames taken back (the translate of 2026-12-09 14:03:27 UTC)";
// with `dryRun` "would be taken back".
std::string UndoneText(const UndoOutcome& outcome, bool dryRun);
// "3 left as they are:" and a line per rename left, each indented by two:
// "  new -> old: old is there again". Empty when nothing was left.
std::string LeftText(const UndoOutcome& outcome);

// Why nothing was taken back: no translate on record, no place for
// journals, a journal that cannot be read or is no file, a translate
// running. Empty for Undone.
std::string UndoFailureText(UndoOutcome::Result result);

// "2026-12-09 14:03:27 UTC  1312 renames, 3 taken back, stopped half-way"
std::string TranslateOnRecordText(const TranslateOnRecord& translate);

}  // namespace mapio::translator
