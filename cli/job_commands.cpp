#include "cli/job_commands.h"

#include <functional>
#include <ostream>

#include "cli/cli.h"
#include "cli/terminal.h"
#include "cli/terminal_prompter.h"
#include "core/chosen_folder.h"
#include "core/mapping_messages.h"
#include "core/shown_text.h"
#include "platform/text.h"
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

// The terminal of make and update, which ask for IDs unless -n; a dry
// run's update lists its changes.
class Asking : public writer::UpdateEvents {
 public:
  Asking(const CliRequest& request, const Streams& s)
      : terminal(s.in, s.out, s.err, OptionsFor(request, s, !request.idsFromNames)),
        prompter_(s.in, s.err, !s.stdinIsTerminal) {}

  void Progress(const JobProgress& p) override { terminal.Progress(p); }
  bool ReplaceMapping() override { return terminal.Ask(writer::kReplaceMappingText); }
  std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                         std::string_view counter) override {
    return prompter_.AskFileId(fileName, counter);
  }
  std::optional<KitAnswer> AskKitId(std::string_view fileName, std::string_view counter) override {
    return prompter_.AskKitId(fileName, counter);
  }
  void Changed(char change, const std::string& line) override {
    terminal.Say(std::string(1, change) + " " + Shown(platform::Trim(line)));
  }

  Terminal terminal;

 private:
  TerminalPrompter prompter_;
};

// The list of renames goes out as they are made: half a million lines are
// never held.
class TerminalTranslateEvents : public translator::TranslateEvents {
 public:
  TerminalTranslateEvents(Terminal& terminal, const std::string& folder, bool dryRun)
      : terminal_(terminal), folder_(folder), dryRun_(dryRun) {}

  void Progress(const JobProgress& p) override { terminal_.Progress(p); }
  void Unreadable() override { terminal_.Warn(translator::kUnreadableRecordText); }
  void NotRenamed(const std::string& from, const std::string& id) override {
    terminal_.Warn(translator::NotRenamedText(from, id));
  }
  void Renamed(const translator::TranslateRename& r) override {
    if (dryRun_) return terminal_.Say(translator::WouldRenameText(r));
    line_.assign(headed_ ? "" : translator::kProcessedHeading);
    headed_ = true;
    translator::AppendRenamedLine(line_, r);
    line_.pop_back();
    terminal_.Say(line_);
  }
  void NoJournal() override {
    terminal_.Warn(Shown(folder_) +
                   ": no journal of the renames could be written: this translate "
                   "cannot be undone");
  }

 private:
  Terminal& terminal_;
  const std::string& folder_;
  bool dryRun_;
  bool headed_ = false;
  std::string line_;
};

void WarnIfAny(Terminal& terminal, const std::string& text) {
  if (!text.empty()) terminal.Warn(text);
}

}  // namespace

int RunMake(const CliRequest& request, const Streams& s) {
  Asking asking(request, s);
  Terminal& terminal = asking.terminal;
  const writer::MakeOptions options{request.objectKind, request.idsFromNames};
  return ForEachFolder(request, terminal, [&](const std::string& folder) {
    const writer::MakeOutcome o = writer::MakeMapping(folder, options, asking);
    if (o.result == writer::MakeOutcome::Result::Kept) return;
    if (o.result != writer::MakeOutcome::Result::Written)
      return terminal.Warn(writer::MakeFailureText(o));
    WarnIfAny(terminal, writer::NotAddedText(o));
    terminal.Say(SuccessText(o.added));
  });
}

int RunUpdate(const CliRequest& request, const Streams& s) {
  Asking asking(request, s);
  Terminal& terminal = asking.terminal;
  writer::UpdateOptions options;
  if (request.kindGiven) options.kind = request.objectKind;
  options.idsFromNames = request.idsFromNames;
  options.prune = request.prune;
  options.dryRun = request.dryRun;
  options.listChanges = request.dryRun;
  return ForEachFolder(request, terminal, [&](const std::string& folder) {
    const writer::UpdateOutcome o = writer::UpdateMapping(folder, options, asking);
    if (o.result != writer::UpdateOutcome::Result::Updated)
      return terminal.Warn(writer::UpdateFailureText(o));
    WarnIfAny(terminal, writer::NotAddedText(o));
    terminal.Say(writer::UpdateSummaryText(o, request.dryRun));
  });
}

int RunTranslate(const CliRequest& request, const Streams& s) {
  Terminal terminal(s.in, s.out, s.err, OptionsFor(request, s, false));
  translator::TranslateOptions options;
  options.kind = request.objectKind;
  options.dryRun = request.dryRun;
  return ForEachFolder(request, terminal, [&](const std::string& folder) {
    TerminalTranslateEvents events(terminal, folder, request.dryRun);
    const translator::TranslateOutcome o = translator::TranslateNames(folder, options, events);
    if (o.result == translator::TranslateOutcome::Result::Stopped) return;
    if (const std::string_view failed = translator::TranslateFailureText(o); !failed.empty())
      return terminal.Warn(failed);
    WarnIfAny(terminal, translator::PassedOverText(o));
    terminal.Say((o.renamed == 0 ? std::string(translator::kNothingRenamed) : std::string()) +
                 translator::RenamedCountText(o));
  });
}

}  // namespace mapio::cli
