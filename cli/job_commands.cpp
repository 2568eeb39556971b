#include "cli/job_commands.h"

#include <functional>
#include <ostream>

#include "cli/cli.h"
#include "cli/terminal.h"
#include "cli/terminal_prompter.h"
#include "core/chosen_folder.h"
#include "core/mapping_messages.h"
#include "core/shown_text.h"
#include "platform/platform.h"
#include "translator/translate_texts.h"
#include "writer/outcome_texts.h"

namespace mapio::cli {
namespace {

TerminalOptions OptionsFor(const CliRequest& request, const Streams& s, bool prompting) {
  TerminalOptions options;
  options.answer = request.overwrite;
  options.echoAnswers = !s.stdinIsTerminal;
  // A progress line between prompts would only be in the way.
  options.progress = s.stderrIsTerminal && !request.quiet && !prompting;
  return options;
}

// Each folder made absolute once, as it comes in; a folder that is not
// there is said, and the others still run.
int ForEachFolder(const CliRequest& request, Terminal& terminal,
                  const std::function<void(const std::string& folder)>& run) {
  for (const std::string& given : request.folders) {
    terminal.JobStarted();
    const ChosenFolder folder = ChooseFolder(given);
    if (folder)
      run(folder.path);
    else
      terminal.Warn(FolderProblemText(folder.problem));
  }
  terminal.ClearProgress();
  return terminal.SawTrouble() ? kExitTrouble : kExitOk;
}

// The terminal of make and update, which ask for IDs unless -n.
struct Asking {
  Asking(const CliRequest& request, const Streams& s)
      : terminal(s.in, s.out, s.err, OptionsFor(request, s, !request.idsFromNames)),
        prompter(s.in, s.err, !s.stdinIsTerminal),
        questions(prompter) {
    questions.replaceMapping = [this] { return terminal.Ask(kReplaceMappingText); };
    questions.progress = [this](const JobProgress& p) { terminal.Progress(p); };
  }
  Terminal terminal;
  TerminalPrompter prompter;
  JobQuestions questions;
};

void WarnIfAny(Terminal& terminal, const std::string& text) {
  if (!text.empty()) terminal.Warn(text);
}

}  // namespace

int RunMake(const CliRequest& request, const Streams& s) {
  Asking asking(request, s);
  Terminal& terminal = asking.terminal;
  const MakeOptions options{request.objectKind, request.idsFromNames};
  return ForEachFolder(request, terminal, [&](const std::string& folder) {
    const MakeOutcome o = MakeMapping(folder, options, asking.questions);
    if (o.result == MakeOutcome::Result::Kept) return;
    if (o.result != MakeOutcome::Result::Written) return terminal.Warn(MakeFailureText(o));
    WarnIfAny(terminal, NotAddedText(o));
    terminal.Say(SuccessText(o.added));
  });
}

int RunUpdate(const CliRequest& request, const Streams& s) {
  Asking asking(request, s);
  Terminal& terminal = asking.terminal;
  UpdateOptions options;
  options.kind = request.objectKind;
  options.idsFromNames = request.idsFromNames;
  options.prune = request.prune;
  options.dryRun = request.dryRun;
  if (request.dryRun) {
    options.onChange = [&](char change, const std::string& line) {
      terminal.Say(std::string(1, change) + " " + Shown(platform::Trim(line)));
    };
  }
  return ForEachFolder(request, terminal, [&](const std::string& folder) {
    const UpdateOutcome o = UpdateMapping(folder, options, asking.questions);
    if (o.result != UpdateOutcome::Result::Updated) return terminal.Warn(UpdateFailureText(o));
    WarnIfAny(terminal, NotAddedText(o));
    terminal.Say(UpdateSummaryText(o, request.dryRun));
  });
}

int RunTranslate(const CliRequest& request, const Streams& s) {
  Terminal terminal(s.in, s.out, s.err, OptionsFor(request, s, false));
  TranslateOptions options;
  options.kind = request.objectKind;
  options.dryRun = request.dryRun;
  return ForEachFolder(request, terminal, [&](const std::string& folder) {
    // The list of renames goes out as they are made: half a million lines
    // are never held.
    bool headed = false;
    TranslateEvents events;
    events.unreadable = [&] { terminal.Warn(kUnreadableRecordText); };
    events.notRenamed = [&](const std::string& from, const std::string& id) {
      terminal.Warn(NotRenamedText(from, id));
    };
    std::string line;
    events.renamed = [&](const TranslateRename& r) {
      if (request.dryRun) return terminal.Say(WouldRenameText(r));
      line.assign(headed ? "" : kProcessedHeading);
      headed = true;
      AppendRenamedLine(line, r);
      line.pop_back();
      terminal.Say(line);
    };
    events.progress = [&](const JobProgress& p) { terminal.Progress(p); };
    events.noJournal = [&] {
      terminal.Warn(Shown(folder) +
                    ": no journal of the renames could be written: this translate "
                    "cannot be undone");
    };
    const TranslateOutcome o = TranslateNames(folder, options, events);
    switch (o.result) {
      case TranslateOutcome::Result::NotOpened: return terminal.Warn(ReadFailureText(o.readResult));
      case TranslateOutcome::Result::NoList: return terminal.Warn(std::string(kMappingReadError));
      case TranslateOutcome::Result::Busy: return terminal.Warn(std::string(kTranslateBusyText));
      case TranslateOutcome::Result::Stopped: return;
      case TranslateOutcome::Result::Done: break;
    }
    WarnIfAny(terminal, PassedOverText(o));
    terminal.Say((o.renamed == 0 ? std::string(kNothingRenamed) : std::string()) +
                 RenamedCountText(o));
  });
}

}  // namespace mapio::cli
