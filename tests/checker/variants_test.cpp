// Packs as other tools and hands write them, each checked and then updated
// with IDs from the names and pruning: no false finding, every missing and
// new picture found, new lines in the pack's own style, every other byte
// kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "checker/check_pack.h"
#include "core/object_kind.h"
#include "platform/paths.h"
#include "tests/support/face_pack.h"
#include "tests/support/fake_host.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"
#include "writer/mapping_updater.h"

namespace mapio::testing {
namespace {

struct VariantCase {
  const char* title;
  std::vector<std::string> files;
  std::string config;
  std::optional<ObjectKind> kind;  // nullopt: found from the records
  ObjectKind kindChecked;
  std::vector<std::string> findings;  // "LINE:category:name"
  // config.xml after the update: `config` with each of these replaced.
  std::vector<std::pair<std::string, std::string>> changes;
};

std::string Head(std::string_view indent, std::string_view end) {
  return "<record>" + std::string(end) + std::string(indent) + "<list id=\"maps\">" +
         std::string(end);
}

std::string Tail(std::string_view indent, std::string_view end) {
  return std::string(indent) + "</list>" + std::string(end) + "</record>" + std::string(end);
}

const std::string kSmallLogos =
    Head("\t", "\n") +
    "\t\t<record from=\"1_arsenal\" to=\"graphics/pictures/club/1/icon\"/>\n"
    "\t\t<record from=\"2_chelsea\" to=\"graphics/pictures/club/2/icon\"/>\n"
    "\t\t<record from=\"3_gone\" to=\"graphics/pictures/comp/3/icon\"/>\n" +
    Tail("\t", "\n");
const std::string kNationsUnderTeam =
    Head("\t", "\n") +
    "\t\t<record from=\"765\" to=\"graphics/pictures/team/765/logo\"/>\n"
    "\t\t<record from=\"766\" to=\"graphics/pictures/team/766/logo\"/>\n"
    "\t\t<record from=\"767\" to=\"graphics/pictures/team/767/logo\"/>\n" +
    Tail("\t", "\n");
const std::string kGeneratedFaces =
    Head("\t", "\n") +
    "\t\t<record from=\"2000123\" to=\"graphics/pictures/person/r-2000123/portrait\"/>\n"
    "\t\t<record from=\"2000124\" to=\"graphics/pictures/person/r-2000124/portrait\"/>\n"
    "\t\t<record from=\"17\" to=\"graphics/pictures/person/17/portrait\"/>\n" +
    Tail("\t", "\n");
const std::string kClubKits =
    Head("\t", "\n") +
    "\t\t<record from=\"Arsenal home\" to=\"graphics/pictures/team/1/kits/home\"/>\n"
    "\t\t<record from=\"Arsenal away\" to=\"graphics/pictures/team/1/kits/away\"/>\n"
    "\t\t<record from=\"Arsenal third\" to=\"graphics/pictures/team/1/kits/third\"/>\n" +
    Tail("\t", "\n");
const std::string kPlaceholders =
    Head("\t", "\n") +
    "\t\t<record from=\"none\" to=\"graphics/pictures/person/none/portrait\"/>\n"
    "\t\t<record from=\"crest\" to=\"graphics/pictures/club/none/logo/style/1\"/>\n"
    "\t\t<record from=\"default\" to=\"graphics/logos/default/default\" filter=\"x\"/>\n"
    "\t\t<record from=\"12\" to=\"graphics/pictures/person/12/portrait\" filter=\"y\"/>\n"
    "\t\t<record from=\"odd\" to=\"pictures/odd\"/>\n" +
    Tail("\t", "\n");
// Four-space indents, " />", CR LF and LF mixed, a comment and a
// record over two lines.
const std::string kHandMade =
    "<record>\r\n"
    "    <list id=\"maps\">\r\n"
    "        <!-- faces -->\n"
    "        <record from=\"1\" to=\"graphics/pictures/person/1/portrait\" />\r\n"
    "        <record from=\"2\"\r\n"
    "                to=\"graphics/pictures/person/2/portrait\" />\n"
    "        <record from=\"3\" to=\"graphics/pictures/person/3/portrait\" />\r\n"
    "    </list>\r\n"
    "</record>\r\n";

const VariantCase kCases[] = {
    {"small logos of clubs, one of a competition gone",
     {"1_arsenal.png", "2_Chelsea.png", "4_leeds.png"},
     kSmallLogos,
     std::nullopt,
     ClubLogos,
     {"5:other-kind:3_gone", "0:unmapped:4_leeds.png"},
     {{"\t</list>",
       "\t\t<record from=\"4_leeds\" to=\"graphics/pictures/club/4/icon\"/>\n\t</list>"}}},
    {"the same pack checked as competition logos: its gone logo is pruned",
     {"1_arsenal.png", "2_chelsea.png"},
     kSmallLogos,
     CompetitionLogos,
     CompetitionLogos,
     {"3:other-kind:1_arsenal", "4:other-kind:2_chelsea", "5:missing:3_gone"},
     {{"\t\t<record from=\"3_gone\" to=\"graphics/pictures/comp/3/icon\"/>\n", ""}}},
    {"nations under team/",
     {"765.png", "766.png", "768.png"},
     kNationsUnderTeam,
     std::nullopt,
     NationLogos,
     {"5:missing:767", "0:unmapped:768.png"},
     {{"\t\t<record from=\"767\" to=\"graphics/pictures/team/767/logo\"/>\n", ""},
      {"\t</list>",
       "\t\t<record from=\"768\" to=\"graphics/pictures/team/768/logo\"/>\n\t</list>"}}},
    {"generated faces with r- IDs, one plain",
     {"2000123.png", "2000124.jpg", "17.png", "2000125.png"},
     kGeneratedFaces,
     Faces,
     Faces,
     {"0:unmapped:2000125.png"},
     {{"\t</list>",
       "\t\t<record from=\"2000125\" to=\"graphics/pictures/person/r-2000125/portrait\"/>\n"
       "\t</list>"}}},
    {"kits named after their clubs",
     {"Arsenal home.png", "Arsenal away.png", "Arsenal third.png"},
     kClubKits,
     std::nullopt,
     Kits,
     {},
     {}},
    {"placeholders, defaults and other attributes",
     {"none.png", "crest.png", "12.png"},
     kPlaceholders,
     Faces,
     Faces,
     {"5:missing:default", "7:unknown-target:odd"},
     {{"\t\t<record from=\"default\" to=\"graphics/logos/default/default\" filter=\"x\"/>\n", ""}}},
    {"four spaces, \" />\", CR LF and LF mixed",
     {"1.png", "3.png", "4.png"},
     kHandMade,
     std::nullopt,
     Faces,
     {"5:missing:2", "0:unmapped:4.png"},
     {{"        <record from=\"2\"\r\n"
       "                to=\"graphics/pictures/person/2/portrait\" />\n",
       ""},
      {"    </list>",
       "        <record from=\"4\" to=\"graphics/pictures/person/4/portrait\" />\r\n    </list>"}}},
};

// "LINE:category:name" for each finding, in report order.
std::vector<std::string> Brief(const checker::PackReport& report) {
  std::vector<std::string> out;
  for (const auto& f : report.findings)
    out.push_back(std::to_string(f.line) + ":" + std::string(CategoryWord(f.category)) + ":" +
                  f.name);
  return out;
}

void PrintTo(const VariantCase& c, std::ostream* os) { *os << c.title; }

class Variants : public ::testing::TestWithParam<VariantCase> {};

TEST_P(Variants, CheckFindsWhatIsWrongAndUpdateWritesInThePacksStyle) {
  const VariantCase& c = GetParam();
  TempFolder folder;
  for (const std::string& f : c.files) folder.Write(f);
  folder.Write("config.xml", c.config);

  checker::CheckOptions recordsOnly;  // the pictures are empty files
  recordsOnly.pictures = false;
  const checker::PackReport report = checker::CheckPack(folder.str(), c.kind, recordsOnly);
  EXPECT_EQ(Brief(report), c.findings);
  EXPECT_EQ(report.objectKind, c.kindChecked);

  ScriptedPrompter prompter;
  writer::UpdateOptions options;
  options.kind = c.kindChecked;
  options.idsFromNames = true;
  options.prune = true;
  writer::UpdateMapping(folder.str(), options, prompter);
  std::string expected = c.config;
  for (const auto& [from, to] : c.changes) expected.replace(expected.find(from), from.size(), to);
  EXPECT_EQ(folder.Read("config.xml"), expected);
  // What the update wrote checks clean but for what the pack holds of
  // other kinds and of no picture.
  for (const auto& f : checker::CheckPack(folder.str(), c.kindChecked, recordsOnly).findings)
    EXPECT_TRUE(f.category == checker::Category::OtherKind ||
                f.category == checker::Category::UnknownTarget)
        << f.line << ": " << f.detail;
}

INSTANTIATE_TEST_SUITE_P(Packs, Variants, ::testing::ValuesIn(kCases));

// A record's picture in a subfolder is the pack's like any other: found,
// looked into and counted, and so are the unmapped pictures of the
// subfolders the records name; not those of a pack inside the pack, nor
// any behind a link out of it. Update maps only the folder's own pictures,
// as make does: those are the report's new pictures.
struct SubfolderCase {
  const char* title;
  std::vector<std::pair<std::string, std::string>> files;    // below the pack: name, bytes
  std::vector<std::pair<std::string, std::string>> links;    // name, where it leads
  std::vector<std::pair<std::string, std::string>> records;  // from, ID
  std::vector<std::string> expected;
  std::size_t pictures;
  std::size_t newPictures;
};

const SubfolderCase kSubfolderCases[] = {
    {"looked into and counted",
     {{"a.png", kTinyPng},
      {"2.png", kTinyPng},
      {"icons/b.png", ""},
      {"icons/c.png", kTinyGif},
      {"icons/d.png", kTinyPng.substr(0, 20)},
      {"icons/stray.png", kTinyPng},
      {"other/x.png", kTinyPng}},
     {},
     {{"a", "11"}, {"icons/b", "12"}, {"icons/c", "13"}, {"icons/d", "14"}},
     {"0:unmapped:2.png", "0:unmapped:icons/stray.png", "0:empty:icons/b.png",
      "0:mismatch:icons/c.png", "0:broken:icons/d.png"},
     6,
     1},
    {"a pack inside the pack keeps its pictures",
     {{"a.png", kTinyPng},
      {"inner/config.xml", FacePack({{"b", "2"}})},
      {"inner/b.png", kTinyPng},
      {"inner/stray.png", kTinyPng}},
     {},
     {{"a", "1"}, {"inner/b", "2"}},
     {},
     1,
     0},
    {"./icons and icons are one folder",
     {{"icons/b.png", kTinyPng}, {"icons/c.png", kTinyPng}, {"icons/s.png", kTinyPng}},
     {},
     {{"./icons/b", "1"}, {"icons/c", "2"}},
     {"0:unmapped:icons/s.png"},
     3,
     0},
    {"a link to a folder of the pack is that folder; one out of it is never followed",
     {{"icons/c.png", kTinyPng}, {"../outside/b.png", ""}, {"../outside/stray.png", ""}},
     {{"in", "icons"}, {"out", "../outside"}},
     {{"out/b", "1"}, {"in/c", "2"}},
     {"3:not-a-file:out/b"},
     1,
     0},
};

void PrintTo(const SubfolderCase& c, std::ostream* os) { *os << c.title; }

class SubfolderTable : public ::testing::TestWithParam<SubfolderCase> {};

TEST_P(SubfolderTable, PicturesInSubfoldersAreThePacks) {
  const SubfolderCase& c = GetParam();
#ifdef _WIN32
  if (!c.links.empty()) GTEST_SKIP() << "links need a privilege on Windows";
#endif
  TempFolder dir;
  for (const auto& [name, bytes] : c.files)
    dir.Write(name.starts_with("../") ? name.substr(3) : "pack/" + name, bytes);
  for (const auto& [name, to] : c.links)
    std::filesystem::create_directory_symlink(to, dir.path() / "pack" / name);
  dir.Write("pack/config.xml", FacePack(c.records));
  const std::string pack = platform::JoinPath(dir.str(), "pack");
  const checker::PackReport report = checker::CheckPack(pack, std::nullopt);
  EXPECT_EQ(Brief(report), c.expected);
  EXPECT_EQ(report.pictures, c.pictures);
  EXPECT_EQ(report.newPictures, c.newPictures);

  ScriptedPrompter prompter;
  writer::UpdateOptions update;
  update.idsFromNames = true;
  update.prune = true;
  const writer::UpdateOutcome updated = writer::UpdateMapping(pack, update, {prompter});
  EXPECT_EQ(updated.added, c.newPictures);
  EXPECT_EQ(updated.removed.size(), report.missingRecords);
}

INSTANTIATE_TEST_SUITE_P(Packs, SubfolderTable, ::testing::ValuesIn(kSubfolderCases));

}  // namespace
}  // namespace mapio::testing
