// The command line itself: usage errors, help, version, kinds, answer lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "cli/command_line.h"
#include "cli/usage.h"
#include "cli/id_list.h"
#include "cli/terminal_prompter.h"
#include "core/object_kind.h"
#include "tests/cli/cli_run.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

struct UsageCase {
  std::vector<std::string> args;
  std::string message;
};

TEST(CliUsage, WrongCommandLinesExitWithStatusTwoAndRunNothing) {
  TempFolder folder;
  const std::string f = folder.str();
  const std::vector<UsageCase> cases = {
      {{}, "no job given (make, translate, check, scan, why, update, convert or undo)"},
      {{"frob", f},
       "unknown job 'frob' (make, translate, check, scan, why, update, convert or undo)"},
      {{"make"}, "no folder given"},
      {{"translate", "-q"}, "no folder given"},
      {{"check", "--json"}, "no folder given"},
      {{"check", "--dry-run", f}, "unknown option '--dry-run'"},
      {{"make", "--json", f}, "unknown option '--json'"},
      {{"make", "-k", "shoes", f}, "unknown kind 'shoes'"},
      {{"make", "-k", "11", f}, "unknown kind '11'"},
      {{"make", "-k", "Faces", f}, "unknown kind 'Faces'"},
      {{"translate", "-k", "kits", f}, "kits cannot be translated, choose another kind"},
      {{"translate", "-k", "1", f}, "kits cannot be translated, choose another kind"},
      {{"make", "--frob", f}, "unknown option '--frob'"},
      {{"make", "-y", "--no", f}, "-y and --no cannot be used together"},
      {{"make", "--dry-run", f}, "unknown option '--dry-run'"},
      {{"translate", "-n", f}, "unknown option '-n'"},
      {{"translate", "--yes", f}, "unknown option '--yes'"},
      {{"--frob"}, "unknown option '--frob'"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const auto& a : c.args) shown += a + " ";
    SCOPED_TRACE(shown);
    CliRun run = RunCliWith(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "mapio-cli: " + c.message + "\nTry 'mapio-cli --help' for more.\n");
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(folder.Exists("config.xml"));
}

TEST(CliUsage, VersionAndHelp) {
  CliRun version = RunCliWith({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "Mapio 0.4\n");

  const std::string usage = cli::UsageText();
  struct HelpCase {
    std::vector<std::string> args;
    std::string page;
  };
  for (const HelpCase& c : std::vector<HelpCase>{
           {{"--help"}, usage},
           {{"-h"}, usage},
           {{"help"}, usage},
           {{"make", "--help"}, cli::JobUsageText(cli::Job::Make)},
           {{"translate", "-h", "somewhere"}, cli::JobUsageText(cli::Job::Translate)},
           {{"help", "convert"}, cli::JobUsageText(cli::Job::Convert)}}) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    CliRun help = RunCliWith(c.args);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out, c.page);
  }
  EXPECT_EQ(RunCliWith({"help", "frob"}).status, 2);
  for (const char* line :
       {"  mapio-cli make FOLDER... [-k KIND] [-n] [-y | --no] [-q]\n",
        "  mapio-cli translate FOLDER... [-k KIND] [--dry-run] [-q]\n",
        "  mapio-cli help JOB | JOB --help\n  mapio-cli --help | --version\n",
        "  mapio-cli make -n -y faces             IDs from the file names, replace\n"
        "                                         config.xml\n"})
    EXPECT_NE(usage.find(line), std::string::npos) << line;

  // A job's own page: its usage, options and examples only.
  const std::string translate = cli::JobUsageText(cli::Job::Translate);
  EXPECT_EQ(translate.rfind("Usage:\n  mapio-cli translate FOLDER... [-k KIND] [--dry-run] [-q]\n\n"
                            "Translate file names to IDs: rename each picture that FOLDER's "
                            "config.xml\nmaps to its ID",
                            0),
            0u);
  EXPECT_NE(translate.find("      --dry-run         show each rename that would be made; change "
                           "nothing\n  -q, --quiet           no progress line\n"
                           "  -h, --help            show this help\n\n"),
            std::string::npos);
  EXPECT_EQ(translate.substr(translate.find("Examples:")),
            "Examples:\n"
            "  mapio-cli translate -k club-logos logos\n"
            "                                         rename the club logos to their IDs\n"
            "  mapio-cli translate --dry-run faces    show the renames only\n");
  for (const char* other : {"--json", "--prune", "--to", "mapio-cli make", "--version"})
    EXPECT_EQ(translate.find(other), std::string::npos) << other;

  for (const std::string& page :
       {usage, cli::JobUsageText(cli::Job::Check), cli::JobUsageText(cli::Job::Convert)}) {
    for (std::size_t at = 0, end; at < page.size(); at = end + 1) {
      end = page.find('\n', at);
      EXPECT_LE(end - at, 80u) << page.substr(at, end - at);
    }
  }
}

TEST(CliUsage, AnEmptyFolderAsksForOneInEveryJob) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"make", "-n", ""},
                                             {"translate", ""},
                                             {"check", ""},
                                             {"scan", ""},
                                             {"why", "", "1"},
                                             {"update", "-n", ""},
                                             {"convert", "--to", "r", ""},
                                             {"undo", ""},
                                             {"undo", "--list", ""}}) {
    SCOPED_TRACE(args[0]);
    CliRun run = RunCliWith(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Please choose directory!\n");
    EXPECT_EQ(run.out, "");
  }
}

TEST(CliUsage, FoldersAfterDoubleDashMayStartWithADash) {
  const char* argv[] = {"mapio-cli", "make", "a", "-n", "--", "-dash", "--no"};
  auto parsed = cli::ParseCommandLine(7, argv);
  ASSERT_TRUE(parsed.request) << parsed.usageError;
  EXPECT_EQ(parsed.request->folders, (std::vector<std::string>{"a", "-dash", "--no"}));
  EXPECT_TRUE(parsed.request->idsFromNames);
  EXPECT_EQ(parsed.request->overwrite, std::nullopt);

  const char* nothingAfter[] = {"mapio-cli", "translate", "--"};
  EXPECT_EQ(cli::ParseCommandLine(3, nothingAfter).usageError, "no folder given");
}

// Scripts name kinds on the command line: every kind has its own name, made
// to be typed unquoted, and its number; the help lists them all.
TEST(CliKinds, EveryKindHasATypableNameAndNumberListedInTheHelp) {
  const std::string usage = cli::UsageText();
  std::set<std::string_view> seen;
  for (const ObjectKind kind : kAllKinds) {
    const std::string_view name = KindOf(kind).cliName;
    SCOPED_TRACE(name);
    EXPECT_TRUE(seen.insert(name).second);
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(std::all_of(name.begin(), name.end(),
                            [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; }));
    EXPECT_EQ(cli::ParseObjectKind(name), kind);
    EXPECT_EQ(cli::ParseObjectKind(std::to_string(IndexOf(kind))), kind);
    EXPECT_NE(usage.find(std::string(name) + ","), std::string::npos);
  }
  EXPECT_EQ(cli::ParseObjectKind("club-logos"), ClubLogos);
  EXPECT_EQ(cli::ParseObjectKind("default-backgrounds"), DefaultBackgrounds);
  for (const char* bad : {"", "11", "-1", "+1", " 1", "1x", "face", "logos", "99999999999"})
    EXPECT_EQ(cli::ParseObjectKind(bad), std::nullopt) << bad;
  EXPECT_NE(
      usage.find("  -k, --kind KIND       the kind of pictures (default faces; check: the kind\n"
                 "                        most records have): faces, kits, nation-logos,\n"
                 "                        competition-logos, club-logos, stadium-backgrounds,\n"
                 "                        club-backgrounds, player-backgrounds,\n"
                 "                        comp-backgrounds, nation-backgrounds,\n"
                 "                        default-backgrounds, or its number 0 to 10\n"
                 "                        (translate takes no kits)\n"
                 "  -n, --ids-from-names"),
      std::string::npos);
}

// convert's --ids-from: read line by line, never whole; a list that names
// no ID converts nothing rather than everything, and one beyond the limit
// is refused.
TEST(CliIdList, ListsOfIdsAreReadLineByLineWithinTheirLimit) {
  struct Row {
    std::string text;
    std::string error;  // after the file's name; "" for none
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
  };
  const std::string digits(3'000'000, '7');
  const Row rows[] = {
      {"", " lists no IDs", {}},
      {" \n\t\r\n\n", " lists no IDs", {}},
      {"5\n 6 \r\n\n9", "", {{5, 6}, {9, 9}}},
      {"1\n2\n3\n4\n", " lists more than 3 IDs, more than a list may hold", {}},
      {"1\nx\n", ":2: not an ID: x", {}},
      {"1-5\n", ":1: not an ID: 1-5", {}},
      {digits, ":1: not an ID: " + digits.substr(0, 64) + "...", {}},
  };
  TempFolder folder;
  const std::string path = folder.str() + "/ids.txt";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 20));
    folder.Write("ids.txt", row.text);
    std::vector<IdRange> ids;
    std::string error;
    EXPECT_EQ(cli::ReadIdList(path, ids, error, 3), row.error.empty());
    EXPECT_EQ(error, row.error.empty() ? "" : path + row.error);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
    for (const IdRange& r : ids) ranges.emplace_back(r.first, r.last);
    if (row.error.empty()) {
      EXPECT_EQ(ranges, row.ranges);
    }
  }
  folder.Write("config.xml",
               "<record>\n<list id=\"maps\">\n"
               "<record from=\"a\" to=\"graphics/pictures/person/7/portrait\"/>\n"
               "</list>\n</record>\n");
  folder.Write("ids.txt", "\n\n");
  const std::string before = folder.Read("config.xml");
  const CliRun run = RunCliWith({"convert", "--to", "r", "--ids-from", path, folder.str()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mapio-cli: " + path + " lists no IDs\nTry 'mapio-cli --help' for more.\n");
  EXPECT_EQ(folder.Read("config.xml"), before);
}

struct AnswerCase {
  const char* line;
  bool kit;
  bool valid;
  std::optional<std::uint32_t> id;  // nullopt: declined
  KitKind kitKind = KitKind::Home;
};

TEST(CliPrompts, AnswerLines) {
  const AnswerCase cases[] = {
      {"", false, true, std::nullopt},
      {"  \t\r", true, true, std::nullopt},
      {"12", false, true, 12},
      {" 0012 \r", false, true, 12},
      {"0", false, true, 0},
      {"4294967295", false, true, 4294967295u},
      {"4294967296", false, false, std::nullopt},
      {"1 2", false, false, std::nullopt},
      {"12 away", false, false, std::nullopt},
      {"12", true, true, 12, KitKind::Home},
      {"12 home", true, true, 12, KitKind::Home},
      {"12 away", true, true, 12, KitKind::Away},
      {"12\tthird\r", true, true, 12, KitKind::Third},
      {"12 sideways", true, false, std::nullopt},
      {"12 away away", true, false, std::nullopt},
      {"away", true, false, std::nullopt},
      {"away 12", true, false, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("'") + c.line + "' kit=" + (c.kit ? "yes" : "no"));
    auto answer = cli::ParseIdAnswer(c.line, c.kit);
    ASSERT_EQ(answer.has_value(), c.valid);
    if (!c.valid) continue;
    ASSERT_EQ(answer->add.has_value(), c.id.has_value());
    if (!c.id) continue;
    EXPECT_EQ(answer->add->id, *c.id);
    EXPECT_EQ(answer->add->kitKind, c.kitKind);
  }
}

}  // namespace
}  // namespace mapio::testing
