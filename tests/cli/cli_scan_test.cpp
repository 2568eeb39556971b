// mapio-cli scan and why: their lines, exit status and JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/record_template.h"
#include "platform/platform.h"
#include "tests/cli/cli_run.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

std::string PackOf(const std::string& records) {
  return std::string(MappingHeader) + records + std::string(MappingTrailer);
}

std::string Record(const std::string& from, const std::string& to) {
  return "\t\t<record from=\"" + from + "\" to=\"graphics/pictures/" + to + "\"/>\n";
}

// "faces/config.xml" with the system's separator.
std::string In(const std::string& folder, const std::string& file = "config.xml") {
  return folder + platform::kSeparator + file;
}

// faces and update map one face; logos maps a club under a name faces uses.
void MakeGraphics(const TempFolder& g) {
  g.Write("faces/config.xml",
          PackOf(Record("1123", "person/1123/portrait") + Record("a", "person/7/portrait")));
  g.Write("faces/1123.png", kTinyPng);
  g.Write("faces/a.png");
  g.Write("update/config.xml", PackOf(Record("b", "person/7/portrait")));
  g.Write("update/b.png");
  g.Write("update/stray.png");
  g.Write("logos/config.xml", PackOf(Record("1123", "club/5/logo")));
  g.Write("logos/1123.png");
}

TEST(CliScan, EachPacksFindingsThenTheClashesThenTheSummary) {
  TempFolder g;
  MakeGraphics(g);
  const CliRun run = RunCliWith({"scan", "--no-pictures", g.str()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "faces: 2 records, 2 pictures, 0 findings (checked as faces)\n"
            "logos: 1 record, 1 picture, 0 findings (checked as club-logos)\n" +
                In("update", "stray.png") +
                ": unmapped: no record names this picture\n"
                "update: 1 record, 2 pictures, 1 finding (checked as faces)\n" +
                In("faces") +
                ":19: name-clash: the name 1123 is mapped as faces here and as "
                "club-logos by " +
                In("logos") +
                ":19: some game editions load only one of "
                "them; a prefix on one of the names avoids it\n" +
                In("faces") +
                ":20: clash: graphics/pictures/person/7/portrait is also mapped "
                "by " +
                In("update") + ":19: the game shows only one of their pictures\n" + g.str() +
                ": 3 packs, 4 records, 5 pictures, 1 finding, 2 clashes\n");

  const CliRun json = RunCliWith({"scan", "--json", "--no-pictures", g.str()});
  EXPECT_EQ(json.status, 1);
  const auto doc = nlohmann::json::parse(json.out);
  ASSERT_EQ(doc.size(), 1u);
  EXPECT_EQ(doc[0]["path"], g.str());
  EXPECT_EQ(doc[0]["counts"], nlohmann::json::parse(R"({"packs": 3, "records": 4,
      "pictures": 5, "findings": 1, "clashes": 2, "linksPassedOver": 0})"));
  EXPECT_EQ(doc[0]["packs"][2]["path"], "update");
  EXPECT_EQ(doc[0]["packs"][2]["findings"][0]["category"], "unmapped");
  const auto record = [](const std::string& file, int line) {
    return nlohmann::json{{"file", file},
                          {"line", line},
                          {"kind", "faces"},
                          {"target", "graphics/pictures/person/7/portrait"}};
  };
  EXPECT_EQ(doc[0]["clashes"][1]["records"],
            nlohmann::json::array({record(In("faces"), 20), record(In("update"), 19)}));
  EXPECT_EQ(doc[0]["clashes"][0]["category"], "name-clash");
  EXPECT_EQ(doc[0]["clashes"][0]["name"], "1123");
}

TEST(CliScan, PacksMadeByMapioScanClean) {
  TempFolder g;
  g.Write("faces/1.png");
  g.Write("logos/2.png");
  ASSERT_EQ(RunCliWith({"make", "-n", "-y", g.str() + "/faces"}).status, 0);
  ASSERT_EQ(RunCliWith({"make", "-n", "-y", "-k", "club-logos", g.str() + "/logos"}).status, 0);
  const CliRun run = RunCliWith({"scan", "--no-pictures", "-q", g.str()});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.ends_with(g.str() + ": 2 packs, 2 records, 2 pictures, 0 findings, "
                                          "0 clashes\n"))
      << run.out;
}

TEST(CliWhy, AnswersForOneIdAndExitsZeroOnlyWhenItShows) {
  TempFolder g;
  MakeGraphics(g);
  g.Write("loose/8.png");
  const CliRun once = RunCliWith({"why", g.str(), "1123"});
  EXPECT_EQ(once.status, 0);
  EXPECT_EQ(once.out,
            In("faces") +
                ":19: from=\"1123\" to=\"graphics/pictures/person/1123/portrait\" "
                "(plain ID)\n  picture " +
                In("faces", "1123.png") +
                ": found: PNG, 1x1\nfaces 1123: mapped once, and its picture is in order\n");

  const CliRun twice = RunCliWith({"why", g.str(), "r-7"});
  EXPECT_EQ(twice.status, 1);
  EXPECT_TRUE(twice.out.ends_with(
      "faces 7: mapped by 2 records: the game shows only one of their pictures\n"))
      << twice.out;

  const CliRun none = RunCliWith({"why", "-k", "faces", g.str(), "8"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, std::string("no pack maps faces 8\n").append(In("loose", "8.png")) +
                          ": named after the ID, but no record maps it\n");

  for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"why", g.str()}, "why needs a FOLDER and an ID"},
           {{"why", g.str(), "12a"}, "'12a' is no ID (such as 2000123 or r-2000123)"},
           {{"scan", "-k", "faces", g.str()}, "unknown option '-k'"}}) {
    const CliRun wrong = RunCliWith(args);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.err, "mapio-cli: " + message + "\nTry 'mapio-cli --help' for more.\n");
  }
}

}  // namespace
}  // namespace mapio::testing
