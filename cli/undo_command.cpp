#include "cli/undo_command.h"

#include <ostream>

#include "cli/cli.h"
#include "cli/folder_argument.h"
#include "core/shown_text.h"
#include "platform/files.h"
#include "platform/user_files.h"
#include "translator/undo.h"
#include "translator/undo_texts.h"

namespace mapio::cli {
namespace {

bool List(const std::string& folder, const std::string& path, std::ostream& out,
          std::ostream& err) {
  const std::vector<translator::TranslateOnRecord> translates =
      translator::TranslatesOnRecord(path);
  if (translates.empty()) {
    err << Shown(folder) << ": "
        << translator::UndoFailureText(translator::UndoOutcome::Result::NoJournal) << '\n';
    return false;
  }
  out << Shown(folder) << ":\n";
  for (const translator::TranslateOnRecord& t : translates)
    out << "  " << translator::TranslateOnRecordText(t) << '\n';
  return true;
}

bool Undo(const std::string& folder, const std::string& path, bool dryRun, std::ostream& out,
          std::ostream& err) {
  translator::UndoOptions options;
  options.dryRun = dryRun;
  const translator::UndoOutcome o = translator::UndoTranslate(path, options);
  if (o.result != translator::UndoOutcome::Result::Undone) {
    err << Shown(folder) << ": " << translator::UndoFailureText(o.result) << '\n';
    return false;
  }
  out << Shown(folder) << ": " << translator::UndoneText(o, dryRun) << '\n';
  if (o.left.empty()) return true;
  err << Shown(folder) << ": " << translator::LeftText(o) << '\n';
  return false;
}

}  // namespace

int RunUndo(const CliRequest& request, std::ostream& out, std::ostream& err) {
  bool trouble = false;
  for (const std::string& folder : request.folders) {
    const std::optional<std::string> chosen = FolderArgument(folder, err);
    if (!chosen) {
      trouble = true;
      continue;
    }
    const std::string path = platform::CanonicalFolder(*chosen);
    const bool ok =
        request.list ? List(folder, path, out, err) : Undo(folder, path, request.dryRun, out, err);
    trouble = trouble || !ok;
  }
  out << std::flush;
  return trouble ? kExitTrouble : kExitOk;
}

}  // namespace mapio::cli
