// Each job end to end through mapio-cli, on temporary folders.
#include <filesystem>

#include <gtest/gtest.h>

#include "core/record_template.h"
#include "platform/paths.h"
#include "tests/cli/cli_run.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

constexpr const char* kQuestion =
    "config.xml file was found in this directory. Do you want to owerwrite it? If you choose "
    "NO, operation will be aborted. [y/N] ";

std::string Mapping(std::string_view records) {
  return std::string(MappingHeader) + std::string(records) + std::string(MappingTrailer);
}

std::string Face(std::string_view name, std::string_view id) {
  return "\t\t<record from=\"" + std::string(name) + "\" to=\"graphics/pictures/person/" +
         std::string(id) + "/portrait\"/>\n";
}

std::string Kit(std::string_view name, std::string_view id, std::string_view kind) {
  return "\t\t<record from=\"" + std::string(name) + "\" to=\"graphics/pictures/team/" +
         std::string(id) + "/kits/" + std::string(kind) + "\"/>\n";
}

TEST(CliMake, IdsFromNames) {
  TempFolder folder;
  folder.Write("1234.png");
  folder.Write("5678.jpg");
  CliRun run = RunCliWith({"make", "-n", folder.str()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Success! 2 files added in XML file!\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(folder.ReadText("config.xml"), Mapping(Face("1234", "1234") + Face("5678", "5678")));
}

TEST(CliMake, KitPromptsRetryAndEndOfInput) {
  TempFolder folder;
  for (const char* name : {"a.png", "b.png", "c.png", "d.png"}) folder.Write(name);
  // a: away; b: a bad line, asked again, then home by default; c: left out;
  // d: the input has ended.
  CliRun run = RunCliWith({"make", "-k", "kits", folder.str()}, "12 away\nbogus\n7\n\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Success! 2 files added in XML file!\n");
  EXPECT_EQ(folder.ReadText("config.xml"), Mapping(Kit("a", "12", "away") + Kit("b", "7", "home")));
  const std::string ask = " ID [home|away|third]: ";
  const std::string retry =
      "Type a number from 0 to 4294967295, optionally followed by home, away or third, or an "
      "empty line to leave the file out.\n";
  EXPECT_EQ(run.err, "a.png [0/4]" + ask + "12 away\n" +                                          //
                         "b.png [1/4]" + ask + "bogus\n" + retry + "b.png [1/4]" + ask + "7\n" +  //
                         "c.png [2/4]" + ask + "\n" + "d.png [2/3]" + ask +
                         "(end of input: this file and the rest are left out)\n");
}

TEST(CliMake, FacePromptsStopAskingAtEndOfInput) {
  TempFolder folder;
  for (const char* name : {"x.png", "y.png", "z.png"}) folder.Write(name);
  CliRun run = RunCliWith({"make", "-k", "2", folder.str()}, "4294967295");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Success! 1 files added in XML file!\n");
  EXPECT_EQ(folder.ReadText("config.xml"),
            Mapping("\t\t<record from=\"x\" to=\"graphics/pictures/nation/4294967295/logo\"/>\n"));
  // Asked for y once; z is not asked at all.
  EXPECT_NE(run.err.find("y.png [1/3] ID: "), std::string::npos);
  EXPECT_EQ(run.err.find("z.png"), std::string::npos);
}

struct OverwriteCase {
  std::vector<std::string> flags;
  std::string input;
  bool replaced;
  std::string answerShown;
};

TEST(CliMake, ExistingMappingFile) {
  const OverwriteCase cases[] = {
      // Answered on the command line: not asked.
      {{"-y"}, "", true, ""},
      {{"--yes"}, "", true, ""},
      {{"--no"}, "y\n", false, ""},
      {{}, "y\n", true, "y\n"},
      {{}, "yes\n", true, "yes\n"},
      {{}, "n\n", false, "n\n"},
      {{}, "whatever\n", false, "whatever\n"},
      {{}, "", false, "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input + (c.flags.empty() ? "" : c.flags[0]));
    TempFolder folder;
    folder.Write("config.xml", "old");
    folder.Write("1.png");
    std::vector<std::string> args = {"make", "-n", folder.str()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    CliRun run = RunCliWith(args, c.input);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, c.flags.empty() ? kQuestion + c.answerShown : "");
    if (c.replaced) {
      EXPECT_EQ(run.out, "Success! 1 files added in XML file!\n");
      EXPECT_EQ(folder.ReadText("config.xml"), Mapping(Face("1", "1")));
    } else {
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(folder.Read("config.xml"), "old");
    }
  }
}

TEST(CliMake, QuestionAndPromptsShareTheInput) {
  TempFolder folder;
  folder.Write("config.xml", "old");
  folder.Write("face.png");
  CliRun run = RunCliWith({"make", folder.str()}, "y\n55\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(folder.ReadText("config.xml"), Mapping(Face("face", "55")));
}

TEST(CliMake, SeveralFoldersEachWithItsOwnMessages) {
  TempFolder first, second, parent;
  first.Write("1.png");
  second.Write("2.png");
  second.Write("3.png");
  // Relative to the current directory, which no job moves.
  std::string relative =
      std::filesystem::relative(second.path(), platform::CurrentDirectory()).string();
  const std::string missing = (parent.path() / "missing").string();
  CliRun run = RunCliWith({"make", "-n", first.str(), missing, relative, "-q"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "Success! 1 files added in XML file!\n"
            "Success! 2 files added in XML file!\n");
  EXPECT_EQ(run.err, "Directory does not exist, please check the path!\n");
  EXPECT_EQ(first.ReadText("config.xml"), Mapping(Face("1", "1")));
  EXPECT_EQ(second.ReadText("config.xml"), Mapping(Face("2", "2") + Face("3", "3")));
}

class CliTranslate : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("config.xml", Mapping(Face("abc", "101") + Face("b", "102") + Face("gone", "103") +
                                       "\t\t<record from=\"club\" to=\"graphics/pictures/club/"
                                       "104/logo\"/>\n"));
    folder.Write("abc.png", "A");
    folder.Write("b.gif", "B");
  }
  TempFolder folder;
};

TEST_F(CliTranslate, RenamesAndWarnsPerRecord) {
  CliRun run = RunCliWith({"translate", folder.str()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "The list of processed files:\n\nabc -> 101\nb - > 102\n"
            "\nRenamed 2 of 3 files.\n");
  // The club record does not fit the faces format.
  EXPECT_EQ(run.err,
            "Warning: could not rename gone to 103\n"
            "Error parsing XML file!\n");
  EXPECT_EQ(folder.Read("101.png"), "A");
  EXPECT_EQ(folder.Read("102.gif"), "B");
  EXPECT_FALSE(folder.Exists("abc.png"));
}

TEST_F(CliTranslate, CleanRunExitsWithZero) {
  folder.Write("config.xml", Mapping(Face("abc", "101")));
  CliRun run = RunCliWith({"translate", "-k", "faces", folder.str()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "The list of processed files:\n\nabc -> 101\n\nRenamed 1 of 1 files.\n");
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"101.png", "b.gif", "config.xml"}));
}

TEST_F(CliTranslate, DryRunListsRenamesInOrderAndRenamesNothing) {
  auto before = folder.List();
  CliRun run = RunCliWith({"translate", "--dry-run", folder.str()});
  EXPECT_EQ(run.out.rfind("abc.png -> 101.png\nb.gif -> 102.gif\n", 0), 0u) << run.out;
  EXPECT_EQ(folder.List(), before);
}

#ifndef _WIN32
// A name can neither forge a line of the output nor steer the terminal:
// its control characters are shown escaped, as check shows them.
TEST_F(CliTranslate, ControlCharactersInNamesAreShownEscaped) {
  folder.Write("config.xml", Mapping(Face("n&#10;fake -&gt; 99", "5") + Face("\x1b[31mred", "6") +
                                     Face("\x1b]0;gone\a", "7")));
  folder.Write("n\nfake -> 99.png", "N");
  folder.Write("\x1b[31mred.png", "R");
  const CliRun dry = RunCliWith({"translate", "--dry-run", folder.str()});
  EXPECT_EQ(dry.out,
            "n\\nfake -> 99.png -> 5.png\n\\x1b[31mred.png -> 6.png\n\nRenamed 2 of 3 files.\n");
  EXPECT_EQ(dry.err, "Warning: could not rename \\x1b]0;gone\\x07 to 7\n");
  const CliRun run = RunCliWith({"translate", folder.str()});
  EXPECT_EQ(
      run.out,
      "The list of processed files:\n\nn\\nfake -> 99 -> 5\n\\x1b[31mred -> 6\n\nRenamed 2 of 3 "
      "files.\n");
  EXPECT_EQ(run.err, dry.err);
}
#endif

TEST_F(CliTranslate, MissingMappingFileIsAnError) {
  TempFolder empty;
  CliRun run = RunCliWith({"translate", empty.str(), folder.str()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.rfind("Could not open config.xml file!\n", 0), 0u) << run.err;
  EXPECT_TRUE(folder.Exists("101.png"));  // the second folder still ran
}

}  // namespace
}  // namespace mapio::testing
