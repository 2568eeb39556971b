#include "cli/cli.h"

#include <istream>
#include <ostream>

#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/convert_command.h"
#include "cli/undo_command.h"
#include "cli/terminal_host.h"
#include "cli/terminal_prompter.h"
#include "core/run_job.h"
#include "platform/platform.h"
#include "translator/mapping_translator.h"
#include "writer/mapping_updater.h"
#include "writer/mapping_writer.h"

namespace mapio::cli {
namespace {

int RunJobs(const CliRequest& request, std::istream& in, std::ostream& out, std::ostream& err,
            bool stdinIsTerminal, bool stderrIsTerminal) {
  const bool update = request.command == Command::Update;
  bool prompting = (request.command == Command::Make || update) && !request.idsFromNames;
  TerminalHostOptions hostOptions;
  hostOptions.overwrite = request.overwrite;
  hostOptions.echoAnswers = !stdinIsTerminal;
  // A progress line between prompts would only be in the way.
  hostOptions.progress = stderrIsTerminal && !request.quiet && !prompting;
  TerminalHost host(in, out, err, std::move(hostOptions));
  TerminalPrompter prompter(in, err, !stdinIsTerminal);

  TranslateOptions translateOptions;
  translateOptions.dryRun = request.dryRun;
  bool statusBegun = false;
  if (request.dryRun) {
    translateOptions.onRename = [&](const std::string& from, const std::string& to) {
      host.ClearProgress();
      out << from << " -> " << to << '\n';
    };
  } else {
    // The same bytes as the message at the end would be, written as they come.
    translateOptions.onStatus = [&](std::string_view piece, bool last) {
      host.ClearProgress();
      if (!statusBegun) out << "Status: ";
      statusBegun = !last;
      out << piece;
      if (last) out << '\n' << std::flush;
    };
  }

  UpdateOptions updateOptions;
  updateOptions.prune = request.prune;
  updateOptions.dryRun = request.dryRun;
  if (request.dryRun) {
    updateOptions.onChange = [&](char change, const std::string& line) {
      host.ClearProgress();
      out << change << ' ' << platform::Trim(line) << '\n';
    };
  }

  // The update job goes through the make job's slot: the same folder checks.
  JobEntries jobs{
      [&](JobSettings& s, JobHost& h) {
        if (update) {
          MappingUpdater(s, h, prompter, updateOptions);
        } else {
          MappingWriter(s, h, prompter);
        }
      },
      [&](JobSettings& s, JobHost& h) {
        JournalOptions journal;
        journal.onNoJournal = [&] {
          host.ClearProgress();
          err << s.folderPath
              << ": no journal of the renames could be written: this translate cannot be "
                 "undone\n";
        };
        MappingTranslator(s, h, translateOptions, journal);
      },
      {},  // update is reached through the make job's slot above
  };
  JobSettings settings;
  settings.action = request.command == Command::Translate ? kActionTranslate : kActionMake;
  settings.objectKind = request.objectKind;
  settings.allFilenamesAreIds = request.idsFromNames ? 1 : 0;
  settings.processDroppedFolders = 1;
  host.controls = settings;
  // Folders are taken as dropped ones with "Process draged folders" ticked.
  ApplyDroppedFolders(host, settings, request.folders, jobs);
  host.ClearProgress();
  out << std::flush;
  return host.SawTrouble() ? kExitTrouble : kExitOk;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::istream& in, std::ostream& out,
           std::ostream& err, bool stdinIsTerminal, bool stderrIsTerminal) {
  // Relative folders are taken against the directory we started in, before
  // any job has moved the current one.
  platform::StartupDirectory();
  ParseResult parsed = ParseCommandLine(argc, argv);
  if (!parsed.request) {
    err << "mapio-cli: " << parsed.usageError << "\nTry 'mapio-cli --help' for more.\n";
    return kExitUsage;
  }
  const CliRequest& request = *parsed.request;
  switch (request.command) {
    case Command::Help: out << UsageText(); return kExitOk;
    case Command::Version: out << kVersionText << '\n'; return kExitOk;
    case Command::Check: return RunCheck(request, out, err, stderrIsTerminal);
    case Command::Convert: return RunConvert(request, out, err);
    case Command::Undo: return RunUndo(request, out, err);
    case Command::Make:
    case Command::Translate:
    case Command::Update: break;
  }
  return RunJobs(request, in, out, err, stdinIsTerminal, stderrIsTerminal);
}

}  // namespace mapio::cli
