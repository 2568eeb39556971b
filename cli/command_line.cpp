#include "cli/command_line.h"

#include <array>
#include <charconv>

#include <CLI/CLI.hpp>

#include "cli/id_list.h"
#include "core/mapping_messages.h"
#include "core/object_kind.h"
#include "platform/platform.h"
#include "scan/why.h"
#include "scan/why_report.h"

namespace mapio::cli {
namespace {

// Our own -h on every level, so that help never trips the checks of a job.
CLI::App* AddJob(CLI::App& app, const JobRow& row, RawOptions& raw) {
  CLI::App* job = app.add_subcommand(std::string(row.name));
  job->set_help_flag();
  job->allow_extras();
  job->add_option("folders", raw.folders);
  for (const OptionRow& option : OptionRows()) {
    if (!option.For(row.job)) continue;
    const std::string names(option.names);
    if (option.flag != nullptr) job->add_flag(names, raw.*option.flag);
    if (option.text != nullptr) job->add_option(names, raw.*option.text);
    // One value a time (the option again, or commas): never the folders after it.
    if (option.list != nullptr)
      job->add_option(names, raw.*option.list)->delimiter(',')->allow_extra_args(false);
  }
  return job;
}

std::string ExtraArgumentError(const std::string& arg) {
  if (arg.size() > 1 && arg[0] == '-') return "unknown option '" + arg + "'";
  return "unknown job '" + arg + "' (" + JobNames() + ")";
}

ParseResult Error(std::string message) { return {std::nullopt, std::move(message)}; }

ParseResult Only(Command command) {
  CliRequest request;
  request.command = command;
  return {request, {}};
}

ParseResult CheckConvert(const RawOptions& raw, CliRequest request) {
  if (raw.to != "r" && raw.to != "plain") return Error("convert needs --to r or --to plain");
  request.toGenerated = raw.to == "r";
  if (!raw.ids.empty() && !raw.idsFrom.empty())
    return Error("--ids and --ids-from cannot be used together");
  for (const std::string& text : raw.ids) {
    const auto range = ParseIdRange(text);
    if (!range) return Error("'" + text + "' is no ID or range of IDs (such as 2000000-2999999)");
    request.ids.push_back(*range);
  }
  std::string error;
  if (!raw.idsFrom.empty() && !ReadIdList(raw.idsFrom, request.ids, error)) return Error(error);
  return {request, {}};
}

// why FOLDER ID: one folder, and an ID after it.
ParseResult CheckWhy(CliRequest request) {
  if (request.folders.size() != 2) return Error("why needs a FOLDER and an ID");
  const std::optional<std::string> id = scan::IdOfArgument(request.folders[1]);
  if (!id) return Error(scan::NotAnIdText(request.folders[1]));
  request.id = *id;
  request.folders.pop_back();
  return {request, {}};
}

ParseResult Check(const RawOptions& raw, Job job) {
  CliRequest request;
  request.command = Command::Job;
  request.job = job;
  request.kindGiven = !raw.kind.empty();
  auto kind = request.kindGiven ? ParseObjectKind(raw.kind) : std::optional<ObjectKind>(Faces);
  if (!kind) return Error("unknown kind '" + raw.kind + "'");
  if (job == Job::Translate && !KindOf(*kind).translatable)
    return Error(std::string(KindOf(*kind).cliName) + " cannot be translated, choose another kind");
  if (raw.folders.empty()) return Error("no folder given");
  if (raw.yes && raw.no) return Error("-y and --no cannot be used together");
  if (raw.noPictures && raw.deep) return Error("--no-pictures and --deep cannot be used together");
  request.objectKind = *kind;
  request.folders = raw.folders;
  request.idsFromNames = raw.idsFromNames;
  if (raw.yes) request.overwrite = true;
  if (raw.no) request.overwrite = false;
  request.dryRun = raw.dryRun;
  request.quiet = raw.quiet;
  request.json = raw.json;
  request.prune = raw.prune;
  request.caseSensitive = raw.caseSensitive;
  request.pictures = !raw.noPictures;
  request.deep = raw.deep;
  request.list = raw.list;
  if (job == Job::Convert) return CheckConvert(raw, std::move(request));
  if (job == Job::Why) return CheckWhy(std::move(request));
  return {request, {}};
}

}  // namespace

std::optional<ObjectKind> ParseObjectKind(std::string_view text) {
  for (const ObjectKind kind : kAllKinds)
    if (text == KindOf(kind).cliName) return kind;
  std::size_t number = kObjectKindCount;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return KindAt(number);
}

ParseResult ParseCommandLine(int argc, const char* const* argv) {
  RawOptions raw;
  CLI::App app{std::string(kApplicationName), "mapio-cli"};
  app.set_help_flag();
  app.allow_extras();
  app.add_flag("-h,--help", raw.help);
  app.add_flag("--version", raw.version);
  std::vector<std::pair<Job, CLI::App*>> jobs;
  for (const JobRow& row : JobRows()) jobs.emplace_back(row.job, AddJob(app, row, raw));
  std::string helpTopic;
  CLI::App* help = app.add_subcommand("help");
  help->add_option("job", helpTopic);

  // Everything after "--" is a folder, even one whose name starts with "-".
  // CLI11 keeps "--" among the extras, so it never sees that part.
  int optionCount = argc;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--") {
      optionCount = i;
      break;
    }
  }
  try {
    app.parse(optionCount, argv);
  } catch (const CLI::ParseError& e) {
    return Error(e.what());
  }
  std::optional<Job> parsedJob;
  for (const auto& [job, command] : jobs)
    if (command->parsed()) parsedJob = job;
  // "help JOB": the job's name may have been taken for the job itself.
  if (help->parsed()) {
    if (!helpTopic.empty()) parsedJob = JobNamed(helpTopic);
    if (!helpTopic.empty() && !parsedJob) return Error(ExtraArgumentError(helpTopic));
    raw.help = true;
  }
  if (raw.help) {
    ParseResult shown = Only(Command::Help);
    shown.request->job = parsedJob;
    return shown;
  }
  auto extras = app.remaining(true);
  if (!extras.empty()) return Error(ExtraArgumentError(extras.front()));
  if (raw.version) return Only(Command::Version);
  for (int i = optionCount + 1; i < argc; ++i) raw.folders.emplace_back(argv[i]);
  if (parsedJob) return Check(raw, *parsedJob);
  return Error(std::string("no job given (").append(JobNames()) + ")");
}

std::string_view ObjectKindName(ObjectKind kind) { return KindOf(kind).cliName; }

}  // namespace mapio::cli
