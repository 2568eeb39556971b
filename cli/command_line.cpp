#include "cli/command_line.h"

#include <array>
#include <charconv>

#include <CLI/CLI.hpp>

#include "cli/id_list.h"
#include "core/mapping_messages.h"
#include "core/object_kind.h"
#include "platform/platform.h"

namespace mapio::cli {
namespace {

struct RawOptions {
  std::vector<std::string> folders;
  std::string kind;  // empty: not given
  bool help = false, version = false, quiet = false, dryRun = false;
  bool idsFromNames = false, yes = false, no = false, prune = false;           // make, update
  bool json = false, caseSensitive = false, noPictures = false, deep = false;  // check
  std::string to;                                                              // convert
  std::vector<std::string> ids;
  std::string idsFrom;
  bool list = false;  // undo
};

// Our own -h on every level, so that help never trips the checks of a job.
CLI::App* AddJob(CLI::App& app, const char* name, RawOptions& raw) {
  CLI::App* job = app.add_subcommand(name);
  job->set_help_flag();
  job->allow_extras();
  job->add_flag("-h,--help", raw.help);
  job->add_option("folders", raw.folders);
  job->add_option("-k,--kind", raw.kind);
  job->add_flag("-q,--quiet", raw.quiet);
  return job;
}

std::string ExtraArgumentError(const std::string& arg) {
  if (arg.size() > 1 && arg[0] == '-') return "unknown option '" + arg + "'";
  return "unknown job '" + arg + "' (make, translate, check, update, convert or undo)";
}

ParseResult Error(std::string message) { return {std::nullopt, std::move(message)}; }

ParseResult Only(Command command) {
  CliRequest request;
  request.command = command;
  return {request, {}};
}

// The -k paragraph of the help: every kind's name, wrapped as the rest of
// the help is.
std::string KindOptionHelp() {
  constexpr std::size_t kIndent = 24;
  constexpr std::size_t kWidth = 76;
  std::string words = "the kind of pictures (default " + std::string(KindOf(Faces).cliName) +
                      "; check: the kind most records have):";
  std::string untranslatable;
  for (const KindRow& kind : kKinds) {
    words += " " + std::string(kind.cliName) + ",";
    if (!kind.translatable)
      untranslatable += (untranslatable.empty() ? "" : ", ") + std::string(kind.cliName);
  }
  words += " or its number 0 to " + std::to_string(kObjectKindCount - 1) + " (translate takes no " +
           untranslatable + ")";
  std::string text = "  -k, --kind KIND       ";
  std::size_t lineStart = 0;
  std::size_t from = 0;
  while (from < words.size()) {
    std::size_t end = words.find(' ', from);
    if (end == std::string::npos) end = words.size();
    const std::string_view word(words.data() + from, end - from);
    if (text.size() - lineStart > kIndent) {
      if (text.size() - lineStart + 1 + word.size() > kWidth) {
        text += "\n";
        lineStart = text.size();
        text.append(kIndent, ' ');
      } else {
        text += ' ';
      }
    }
    text += word;
    from = end + 1;
  }
  return text + "\n";
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

ParseResult Check(const RawOptions& raw, Command command) {
  CliRequest request;
  request.command = command;
  request.kindGiven = !raw.kind.empty();
  auto kind = request.kindGiven ? ParseObjectKind(raw.kind) : std::optional<ObjectKind>(Faces);
  if (!kind) return Error("unknown kind '" + raw.kind + "'");
  if (command == Command::Translate && !KindOf(*kind).translatable)
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
  if (command == Command::Convert) return CheckConvert(raw, std::move(request));
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

  // Each job's own flags.
  const auto flags = [](CLI::App* job, std::initializer_list<std::pair<const char*, bool*>> list) {
    for (const auto& [names, field] : list) job->add_flag(names, *field);
  };
  CLI::App* make = AddJob(app, "make", raw);
  flags(make,
        {{"-n,--ids-from-names", &raw.idsFromNames}, {"-y,--yes", &raw.yes}, {"--no", &raw.no}});
  CLI::App* translate = AddJob(app, "translate", raw);
  flags(translate, {{"--dry-run", &raw.dryRun}});
  CLI::App* check = AddJob(app, "check", raw);
  flags(check, {{"--json", &raw.json},
                {"--case-sensitive", &raw.caseSensitive},
                {"--no-pictures", &raw.noPictures},
                {"--deep", &raw.deep}});
  CLI::App* update = AddJob(app, "update", raw);
  flags(update, {{"-n,--ids-from-names", &raw.idsFromNames},
                 {"--prune", &raw.prune},
                 {"--dry-run", &raw.dryRun}});
  CLI::App* convert = AddJob(app, "convert", raw);
  convert->add_option("--to", raw.to);
  // One value a time (the option again, or commas): never the folders after it.
  convert->add_option("--ids", raw.ids)->delimiter(',')->allow_extra_args(false);
  convert->add_option("--ids-from", raw.idsFrom);
  flags(convert, {{"--dry-run", &raw.dryRun}});
  CLI::App* undo = AddJob(app, "undo", raw);
  flags(undo, {{"--dry-run", &raw.dryRun}, {"--list", &raw.list}});

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
  if (raw.help) return Only(Command::Help);
  auto extras = app.remaining(true);
  if (!extras.empty()) return Error(ExtraArgumentError(extras.front()));
  if (raw.version) return Only(Command::Version);
  for (int i = optionCount + 1; i < argc; ++i) raw.folders.emplace_back(argv[i]);
  if (make->parsed()) return Check(raw, Command::Make);
  if (translate->parsed()) return Check(raw, Command::Translate);
  if (check->parsed()) return Check(raw, Command::Check);
  if (update->parsed()) return Check(raw, Command::Update);
  if (convert->parsed()) return Check(raw, Command::Convert);
  if (undo->parsed()) return Check(raw, Command::Undo);
  return Error("no job given (make, translate, check, update, convert or undo)");
}

std::string_view ObjectKindName(ObjectKind kind) { return KindOf(kind).cliName; }

std::string UsageText() {
  return R"(Usage:
  mapio-cli make FOLDER... [-k KIND] [-n] [-y | --no] [-q]
  mapio-cli translate FOLDER... [-k KIND] [--dry-run] [-q]
  mapio-cli check FOLDER... [-k KIND] [--case-sensitive] [--no-pictures | --deep]
            [--json] [-q]
  mapio-cli update FOLDER... [-k KIND] [-n] [--prune] [--dry-run] [-q]
  mapio-cli convert FOLDER... --to r|plain [-k KIND] [--ids RANGES | --ids-from FILE]
            [--dry-run] [-q]
  mapio-cli undo FOLDER... [--dry-run] [-q]
  mapio-cli undo --list FOLDER...
  mapio-cli --help | --version

Jobs:
  make       Make config.xml file: one record per file of each FOLDER.
  translate  Translate file names to IDs: rename each picture that FOLDER's
             config.xml maps to its ID, keeping the extension.
  check      Tell what is wrong with each FOLDER and its config.xml (pictures
             missing, unmapped or only in other letter case, duplicate names
             and IDs, records of another kind, ...); changes no file.
  update     Add records for the pictures of FOLDER that its config.xml does
             not map yet, just before </list>; every other byte stays.
  convert    Write the IDs of FOLDER's records in the other style: with the
             r- of generated people (--to r, r-2000123) or plain (--to plain);
             every other byte of config.xml stays.
  undo       Take back FOLDER's latest translate: every rename it made, back,
             from its journal; --list shows the translates on record.
Several folders are done one after the other, each with its own messages.

Options:
)" + KindOptionHelp() +
         R"(  -n, --ids-from-names  All filenames are IDs: take each ID from the number
                        the file name begins with, ask nothing
  -y, --yes             replace a config.xml that is already there
      --no              keep it and leave that folder alone
                        (with neither, the question is read from stdin)
      --dry-run         show each rename translate would make, each record
                        update would add (+) or remove (-), what convert or
                        undo would change; change nothing
      --prune           update: remove the records whose picture has gone
      --to r|plain      convert: the style the IDs are to have
      --ids RANGES      convert: only these IDs, such as 2000000-2999999 (a
                        comma between several, or the option again)
      --ids-from FILE   convert: only the IDs FILE lists, one a line (at most
                        10 million)
      --list            undo: the translates on record, newest first
      --json            check: the report as one JSON document on stdout
      --case-sensitive  check: report pictures found only in other letter
                        case (the game finds them on Windows and macOS)
      --no-pictures     check: do not look inside the pictures (their format,
                        header and size)
      --deep            check: decode every picture whole, to find damage past
                        its header (slow)
  -q, --quiet           no progress line
  -h, --help            show this help
      --version         show the version

Without -n, make (and update, for the new pictures only) asks on stderr for the ID of every file and reads one line
of stdin per file: a number (0 to 4294967295) adds the file with that ID, an
empty line leaves it out; for kits the number may be followed by home, away
or third ("12 away"; home when none is given). The end of input leaves out
every remaining file.

What a job did goes to stdout, warnings and errors to stderr. A question
that -y or --no answers is not asked. Exit status: 0 when all went well, 1
when any warning or error was shown, 2 for a wrong command line.

check prints one line per finding, "FOLDER/config.xml:LINE: CATEGORY: text"
(or "FOLDER/PICTURE: unmapped: text"), then "FOLDER: R records, P pictures,
F findings" for each folder, on stdout. Without -k it checks each folder for
the kind most of its records have, and says which. Exit status: 0 when no folder has a
finding, 1 when any has, 2 for a wrong command line.

Examples:
  mapio-cli make -n -y faces             IDs from the file names, replace config.xml
  mapio-cli make -k kits kits < ids.txt  IDs (and home, away, third) from ids.txt
  mapio-cli translate -k club-logos logos     rename the club logos to their IDs
  mapio-cli translate --dry-run faces    show the renames only
  mapio-cli check -k kits kits           what is wrong with the kits pack
  mapio-cli update -n --prune faces      map the new faces, drop the records of gone ones
  mapio-cli convert --to r --ids 2000000-2999999 faces
                                         generated players in the r- style
)";
}

}  // namespace mapio::cli
