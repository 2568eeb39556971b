// mapio-cli check: its lines, its exit status and the shape of its JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/record_template.h"
#include "platform/paths.h"
#include "tests/cli/cli_run.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

std::string PackOf(const std::string& records) {
  return std::string(MappingHeader) + records + std::string(MappingTrailer);
}

const std::string kRecordA =
    "\t\t<record from=\"a\" to=\"graphics/pictures/person/7/portrait\"/>\n";

TEST(CliCheck, ReportsEachFindingAndExitsOneWhenAnyFolderHasOne) {
  TempFolder clean, faulty;
  clean.Write("a.png");
  clean.Write("config.xml", PackOf(kRecordA));
  faulty.Write("b.gif");
  faulty.Write("config.xml", PackOf(kRecordA));

  CliRun one = RunCliWith({"check", "--no-pictures", clean.str()});
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(one.out, clean.str() + ": 1 record, 1 picture, 0 findings (checked as faces)\n");
  EXPECT_EQ(one.err, "");

  // Names within the folder follow the system's separator.
  const std::string in = faulty.str() + std::string(1, platform::kSeparator);
  CliRun both = RunCliWith({"check", "--no-pictures", clean.str(), faulty.str()});
  EXPECT_EQ(both.status, 1);
  EXPECT_EQ(both.out, clean.str() + ": 1 record, 1 picture, 0 findings (checked as faces)\n" + in +
                          "config.xml:19: missing: no picture a.png, a.jpg or a.gif\n" + in +
                          "b.gif: unmapped: no record names this picture\n" + faulty.str() +
                          ": 1 record, 1 picture, 2 findings (checked as faces)\n");
  EXPECT_EQ(faulty.List(), (std::vector<std::string>{"b.gif", "config.xml"}));
}

TEST(CliCheck, JsonHasAnObjectPerFolder) {
  TempFolder folder;
  folder.Write("a.png");
  folder.Write("config.xml", PackOf(kRecordA + kRecordA));
  CliRun run = RunCliWith({"check", "--json", "--no-pictures", "-k", "faces", folder.str()});
  EXPECT_EQ(run.status, 1);
  const auto doc = nlohmann::json::parse(run.out);
  ASSERT_TRUE(doc.is_array());
  ASSERT_EQ(doc.size(), 1u);
  const auto& pack = doc[0];
  EXPECT_EQ(pack["path"], folder.str());
  EXPECT_EQ(pack["kind"], "faces");
  EXPECT_EQ(pack["counts"],
            nlohmann::json::parse(R"({"records": 2, "pictures": 1, "findings": 1})"));
  EXPECT_EQ(pack["findings"], nlohmann::json::parse(R"([{"category": "duplicate-name", "line": 20,
      "name": "a", "id": "7", "detail": "line 19 already maps a", "file": null,
      "format": null, "width": null, "height": null}])"));

  CliRun none = RunCliWith({"check", "--json", folder.str() + "/nothing-here"});
  EXPECT_EQ(nlohmann::json::parse(none.out)[0]["findings"][0]["line"], nullptr);
}

// update shares check's reading of a pack; its dry run lists the changes
// and writes nothing.
TEST(CliUpdate, DryRunListsTheChangesAndWritesNothing) {
  TempFolder folder;
  folder.Write("12.png");
  folder.Write("config.xml", PackOf(kRecordA));
  CliRun run = RunCliWith({"update", "-n", "--prune", "--dry-run", folder.str()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "- <record from=\"a\" to=\"graphics/pictures/person/7/portrait\"/>\n"
            "+ <record from=\"12\" to=\"graphics/pictures/person/12/portrait\"/>\n"
            "Dry run, nothing was written: 1 file would be added in XML file!\n"
            "0 records would be kept, 1 removed:\nline 19: a\n");
  EXPECT_EQ(folder.Read("config.xml"), PackOf(kRecordA));
  EXPECT_EQ(RunCliWith({"update", "--json", folder.str()}).status, 2);
}

// Without -k, update adds records of the kind most of the records have, as
// check and convert take it; faces to a list without any.
TEST(CliUpdate, TakesTheKindOfTheRecords) {
  struct Row {
    std::string records;
    std::string added;
  };
  const Row rows[] = {
      {"\t\t<record from=\"1\" to=\"graphics/pictures/club/1/logo\"/>\n",
       "<record from=\"2\" to=\"graphics/pictures/club/2/logo\"/>"},
      {"", "<record from=\"2\" to=\"graphics/pictures/person/2/portrait\"/>"},
  };
  for (const Row& row : rows) {
    TempFolder folder;
    if (!row.records.empty()) folder.Write("1.png");
    folder.Write("2.png");
    folder.Write("config.xml", PackOf(row.records));
    EXPECT_EQ(RunCliWith({"update", "-n", folder.str()}).status, 0);
    EXPECT_NE(folder.Read("config.xml").find(row.added), std::string::npos) << row.added;
  }
}

// convert's lines: what changes, what stays and why, the first changes of
// a dry run; and what it cannot do, on stderr.
TEST(CliConvert, SaysWhatChangesAndWhatStays) {
  TempFolder folder;
  const std::string club = "\t\t<record from=\"c\" to=\"graphics/pictures/club/3/logo\"/>\n";
  folder.Write("config.xml", PackOf(kRecordA + club));
  CliRun dry = RunCliWith({"convert", "--to", "r", "--dry-run", folder.str()});
  EXPECT_EQ(dry.status, 0);
  EXPECT_EQ(dry.out, folder.str() +
                         ": 1 record of faces would be converted to r- IDs (1 of other kinds)\n"
                         "- <record from=\"a\" to=\"graphics/pictures/person/7/portrait\"/>\n"
                         "+ <record from=\"a\" to=\"graphics/pictures/person/r-7/portrait\"/>\n");
  CliRun plain = RunCliWith({"convert", "--to", "plain", "-k", "kits", folder.str()});
  EXPECT_EQ(plain.out,
            folder.str() + ": nothing to convert: no record is of kits (2 of other kinds)\n");
  EXPECT_EQ(folder.Read("config.xml"), PackOf(kRecordA + club));
  CliRun none = RunCliWith({"convert", "--to", "r", folder.str() + "/nothing-here"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err,
            folder.str() + "/nothing-here: Directory does not exist, please check the path!\n");
  EXPECT_EQ(RunCliWith({"convert", folder.str()}).status, 2);
}

// undo takes back what translate did, and --list tells what is on record.
TEST(CliUndo, TakesBackTheLatestTranslate) {
  TempFolder folder;
  folder.Write("a.png");
  folder.Write("config.xml", PackOf(kRecordA));
  EXPECT_EQ(RunCliWith({"translate", folder.str()}).status, 0);
  EXPECT_TRUE(folder.Exists("7.png"));
  const CliRun list = RunCliWith({"undo", "--list", folder.str()});
  EXPECT_TRUE(list.out.starts_with(folder.str() + ":\n  ")) << list.out;
  EXPECT_TRUE(list.out.ends_with(" UTC  1 rename\n")) << list.out;
  const CliRun undo = RunCliWith({"undo", folder.str()});
  EXPECT_EQ(undo.status, 0);
  EXPECT_TRUE(undo.out.starts_with(folder.str() + ": 1 rename taken back (the translate of "))
      << undo.out;
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"a.png", "config.xml"}));
  const CliRun again = RunCliWith({"undo", folder.str()});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, folder.str() + ": no translate of this folder is on record\n");
}

}  // namespace
}  // namespace mapio::testing
