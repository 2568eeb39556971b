// Small crafted packs, each with the findings a check of it must give.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include <optional>
#include <string>
#include <vector>

#include "checker/check_pack.h"
#include "checker/report.h"
#include "core/object_kind.h"
#include "core/record_template.h"
#include "platform/paths.h"
#include "tests/support/fake_host.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"
#include "translator/mapping_translator.h"
#include "writer/mapping_updater.h"
#include "writer/mapping_writer.h"

namespace mapio::testing {
namespace {

using checker::CheckPack;
using checker::PackReport;

// The make job's header is 18 lines: the first record is on line 19.
std::string Pack(const std::vector<std::string>& lines) {
  std::string text(MappingHeader);
  for (const std::string& line : lines) text += "\t\t" + line + "\n";
  return text + std::string(MappingTrailer);
}

// The pictures here are empty files: only the records are looked at.
const checker::CheckOptions kRecordsOnly = [] {
  checker::CheckOptions options;
  options.pictures = false;
  return options;
}();

std::string Face(const std::string& from, const std::string& id) {
  return "<record from=\"" + from + "\" to=\"graphics/pictures/person/" + id + "/portrait\"/>";
}

// "LINE:category:name" for each finding, in report order.
std::vector<std::string> Brief(const PackReport& report) {
  std::vector<std::string> out;
  for (const auto& f : report.findings)
    out.push_back(std::to_string(f.line) + ":" + std::string(checker::CategoryWord(f.category)) +
                  ":" + f.name);
  return out;
}

struct PackCase {
  const char* title;
  std::vector<std::string> files;  // empty pictures, "sub/" makes a folder
  std::optional<std::string> config;
  ObjectKind kind;
  std::vector<std::string> expected;
  bool caseSensitive = false;
};

const std::string kClean = Pack({Face("a", "1"), Face("b", "2")});
const std::string kOneOfEach = Pack({
    Face("gone", "10"),                                               // 19 missing
    Face("abc", "11"),                                                // 20 case
    Face("renamed", "12"),                                            // 21 translated
    Face("a", "13"),                                                  // 22
    Face("a", "14"),                                                  // 23 duplicate-name
    Face("b", "13"),                                                  // 24 duplicate-id
    "<record from=\"club\" to=\"graphics/pictures/club/15/logo\"/>",  // 25 other-kind
    "<boolean id=\"amap\" value=\"false\"/>",                         // 26 unparsable
    Face("../up", "16"),                                              // 27 unsafe
    Face("x&y", "17"),                                                // 28 structure
});
const std::string kOtherTools =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<record>\n  <list id='maps'>\n"
    "    <record to=\"graphics/pictures/person/1/portrait\" from=\"a\" />\n"
    "    <record\n      from = \"faces/b\"  to='graphics/pictures/person/2/portrait'/>\n"
    "    <!-- a comment\n over lines -->\n"
    "    <record from=\"x&amp;y\" to=\"graphics/pictures/person/3/portrait\"/>\n"
    "  </list>\n</record>\n";
const std::string kKits = Pack({
    "<record from=\"h\" to=\"graphics/pictures/team/5/kits/home\"/>",
    "<record from=\"w\" to=\"graphics/pictures/team/5/kits/away\"/>",
    "<record from=\"t\" to=\"graphics/pictures/team/5/kits/third\"/>",
});
// Cut off after its second record; the first is still checked.
const std::string kCutOffWhole = Pack({Face("gone", "1"), Face("a", "2")});
const std::string kCutOff = kCutOffWhole.substr(0, kCutOffWhole.find("\t</list>"));
const std::string kBroken =
    Pack({Face("gone", "1"), "<record from=\"a\" to=\"x\"", Face("b", "2")});

const PackCase kCases[] = {
    {"clean", {"a.png", "b.jpg", "notes.txt"}, kClean, Faces, {}},
    {"one of each",
     {"ABC.png", "12.png", "a.gif", "b.png", "stray.JPG", "x&y.png", "club.png"},
     kOneOfEach,
     Faces,
     {"19:missing:gone", "20:case:abc", "21:translated:renamed", "23:duplicate-name:a",
      "24:duplicate-id:b", "25:other-kind:club", "26:unparsable:", "27:unsafe:../up",
      "28:structure:x&y", "0:unmapped:stray.JPG"},
     true},
    {"other letter case is found, as the game finds it",
     {"ABC.png", "Ab.png", "AB.png"},
     Pack({Face("abc", "1"), Face("ab", "2")}),
     Faces,
     {}},
    {"records as other tools write them", {"a.png", "faces/", "x&y.gif"}, kOtherTools, Faces, {}},
    {"kits: one team's three kits", {"h.png", "w.png", "t.png"}, kKits, Kits, {}},
    {"kits checked as faces",
     {"h.png"},
     kKits,
     Faces,
     {"19:other-kind:h", "20:other-kind:w", "21:other-kind:t"}},
    {"default backgrounds share the faces path",
     {"a.png", "b.png"},
     kClean,
     DefaultBackgrounds,
     {}},
    {"no config.xml: every picture unmapped, in the order of their bytes",
     {"m.png", "B.gif", "a.png", "z.jpg", "b.png"},
     std::nullopt,
     Faces,
     {"0:structure:", "0:unmapped:B.gif", "0:unmapped:a.png", "0:unmapped:b.png",
      "0:unmapped:m.png", "0:unmapped:z.jpg"}},
    {"no list", {}, "<record>\n</record>\n", Faces, {"0:structure:"}},
    {"cut off inside the list", {"a.png"}, kCutOff, Faces, {"19:missing:gone", "20:structure:"}},
    {"not well-formed: read line by line",
     {"b.png"},
     kBroken,
     Faces,
     {"19:missing:gone", "20:unparsable:", "21:structure:"}},
    {"unsafe names",
     {},
     Pack({Face("/etc/a", "1"), Face("C:b", "2"), Face("d/../../e", "3"), Face("..\\x", "4")}),
     Faces,
     {"19:unsafe:/etc/a", "20:unsafe:C:b", "21:unsafe:d/../../e", "22:unsafe:..\\x"}},
    {"what a killed run left is a leftover, a file that looks a little like it a picture",
     {"a.png", ".config.xml.mapio-Ab12Cd", ".config.xml.mapio-x.png"},
     Pack({Face("a", "1")}),
     Faces,
     {"0:leftover:.config.xml.mapio-Ab12Cd", "0:unmapped:.config.xml.mapio-x.png"}},
    {"a name an older tool wrote in a single-byte code page finds its picture",
     {"M\xC3\xBCller.png"},
     Pack({Face("m\xFCller", "1")}),
     Faces,
     {"19:encoding:m\xC3\xBCller"}},
    {"CR alone ends a line",
     {"a.png"},
     "<record>\r<list id=\"maps\">\r" + Face("a", "1") + "\r" + Face("gone", "2") +
         "\r</list>\r</record>",
     Faces,
     {"4:missing:gone"}},
    {"several pictures in other case",
     {"Ab.png", "AB.png"},
     Pack({Face("ab", "1")}),
     Faces,
     {"19:case:ab"},
     true},
};

void PrintTo(const PackCase& c, std::ostream* os) { *os << c.title; }

class CheckTable : public ::testing::TestWithParam<PackCase> {};

TEST_P(CheckTable, FindsWhatIsWrong) {
  const PackCase& c = GetParam();
  TempFolder dir;
  for (const std::string& f : c.files) {
    if (f.ends_with('/')) {
      dir.MakeDir(f);
      dir.Write(f + "b.png");
    } else {
      dir.Write(f);
    }
  }
  if (c.config) dir.Write("config.xml", *c.config);
  checker::CheckOptions options;
  options.caseSensitive = c.caseSensitive;
  options.pictures = false;  // empty files, for the records' findings
  const PackReport report = CheckPack(dir.str(), c.kind, options);
  EXPECT_EQ(Brief(report), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Packs, CheckTable, ::testing::ValuesIn(kCases));

TEST(Check, FolderMadeByTheMakeJobIsCleanAndAfterTranslateEveryRecordIsTranslated) {
  TempFolder dir;
  for (const char* f :
       {"101 a.png", "102 b.jpg", "103 c.gif", "104.png", "33_Name.PNG", "105 A&B.png"})
    dir.Write(f);
  ScriptedPrompter prompter;
  writer::MakeOptions make;
  make.idsFromNames = true;
  writer::MakeMapping(dir.str(), make, prompter);
  const PackReport made = CheckPack(dir.str(), Faces, kRecordsOnly);
  EXPECT_EQ(made.records, 6u);
  EXPECT_EQ(made.pictures, 6u);
  EXPECT_EQ(Brief(made), std::vector<std::string>{});
  // What make wrote, update takes as it is.
  const std::string madeBytes = dir.Read("config.xml");
  writer::UpdateOptions update;
  update.idsFromNames = true;
  writer::UpdateMapping(dir.str(), update, prompter);
  EXPECT_EQ(dir.Read("config.xml"), madeBytes);

  translator::TranslateNames(dir.str(), {});
  EXPECT_EQ(
      Brief(CheckPack(dir.str(), Faces, kRecordsOnly)),
      (std::vector<std::string>{"19:translated:101 a", "20:translated:102 b", "21:translated:103 c",
                                "23:translated:105 a&b", "24:translated:33_name"}));
}

// The ID style of the checked kind's records, for the window's convert
// buttons: placeholders, other kinds and unsafe names are in no style.
TEST(Check, CountsTheRecordsOfEachIdStyle) {
  TempFolder dir;
  dir.Write(
      "config.xml",
      Pack({Face("a", "1"), Face("b", "r-2"), Face("c", "r-3"), Face("d", "r-3"),
            "<record from=\"e\" to=\"graphics/pictures/person/none/portrait\"/>",
            "<record from=\"f\" to=\"graphics/pictures/club/r-4/logo\"/>", Face("../g", "5")}));
  const PackReport report = CheckPack(dir.str(), Faces);
  EXPECT_EQ(report.plainIds, 1u);
  EXPECT_EQ(report.generatedIds, 3u);
}

// A config.xml that is no file, or too much of one, is told so without a
// wait or a read to the end; so is one in UTF-16.
TEST(Check, ConfigXmlThatCannotBeReadSaysWhy) {
  TempFolder dir;
  std::vector<std::string> details;
  const auto detail = [&] {
    details.push_back(CheckPack(dir.str(), Faces, kRecordsOnly).findings.at(0).detail);
  };
  dir.Write("config.xml", std::string("\xFF\xFE<\0r\0", 6));
  detail();
  std::filesystem::remove(dir.path() / "config.xml");
  dir.MakeDir("config.xml");
  detail();
#ifndef _WIN32
  std::filesystem::remove(dir.path() / "config.xml");
  ASSERT_EQ(mkfifo((dir.path() / "config.xml").c_str(), 0600), 0);
  detail();
  std::filesystem::remove(dir.path() / "config.xml");
  std::filesystem::create_symlink("/dev/zero", dir.path() / "config.xml");
  detail();
#endif
  std::vector<std::string> expected{
      "config.xml is UTF-16 text, which Mapio does not read: save it as UTF-8 (in Notepad: Save "
      "As, Encoding UTF-8) and run again!",
      "config.xml in this directory is not a file (a folder, a device or a pipe), so it was not "
      "read!"};
#ifndef _WIN32
  expected.push_back(expected.back());
  expected.push_back(expected.back());
#endif
  EXPECT_EQ(details, expected);
}

// Each fault inside a picture is found once, by its category, after the
// records' findings; the pack's usual size comes from the pictures
// themselves. Valid pictures give nothing.
TEST(Check, LooksInsideThePictures) {
  TempFolder dir;
  for (const char* name : {"1.png", "2.png", "3.png", "4.png.png"}) dir.Write(name, kTinyPng);
  dir.Write("5.gif", kTinyGif);
  dir.Write("6.png", kSmallPng);
  dir.Write("7.png");                          // empty
  dir.Write("8.png", kTinyGif);                // a GIF under .png
  dir.Write("9.png", kTinyPng.substr(0, 20));  // cut off in its header
  dir.Write("config.xml",
            Pack({Face("1", "1"), Face("2", "2"), Face("3", "3"), Face("4.png", "4"),
                  Face("5", "5"), Face("6", "6"), Face("7", "7"), Face("8", "8"), Face("9", "9")}));
  const PackReport report = CheckPack(dir.str(), Faces);
  std::vector<std::string> found;
  for (const auto& f : report.findings)
    found.push_back(std::string(checker::CategoryWord(f.category)) + ":" + f.name + ":" +
                    std::string(f.format) + ":" + std::to_string(f.width) + "x" +
                    std::to_string(f.height));
  EXPECT_EQ(found, (std::vector<std::string>{"double-extension:4.png.png:PNG:1x1",
                                             "odd-size:6.png:PNG:2x2", "empty:7.png::0x0",
                                             "mismatch:8.png:GIF:1x1", "broken:9.png:PNG:0x0"}));
  EXPECT_EQ(report.sizes, "usual size 1x1, 1 picture of another size");

  for (const char* gone : {"4.png.png", "6.png", "7.png", "8.png", "9.png"})
    std::filesystem::remove(dir.path() / gone);
  dir.Write("config.xml", Pack({Face("1", "1"), Face("2", "2"), Face("3", "3"), Face("5", "5")}));
  EXPECT_EQ(CheckPack(dir.str(), Faces).findingCount, 0u);
}

// A name with a line end or another control character stays on its line.
TEST(Check, ReportLinesShowControlCharactersEscaped) {
  PackReport report;
  report.folderPath = "p";
  const checker::Finding finding{checker::Category::Unmapped,
                                 0,
                                 "a\nb\x01.png",
                                 {},
                                 "no record names this picture",
                                 "a\nb\x01.png"};
  EXPECT_EQ(checker::FindingLine(report, finding),
            platform::JoinPath("p", "a\\nb\\x01.png") + ": unmapped: no record names this picture");
}

// A line in the list that is no record is told on its own line, with its
// own text, wherever it stands.
TEST(Check, LineThatIsNoRecordIsToldWhereItIs) {
  TempFolder dir;
  dir.Write("a.png");
  dir.Write("config.xml",
            "<record>\n  <list id=\"maps\">\n  garbage first\n"
            "  <record to=\"graphics/pictures/person/1/portrait\" from=\"a\"/>\n"
            "  more garbage\n  <boolean id=\"amap\" value=\"false\"/>\n  </list>\n</record>");
  std::vector<std::string> lines;
  for (const auto& f : CheckPack(dir.str(), Faces, kRecordsOnly).findings)
    lines.push_back(std::to_string(f.line) + " " + f.detail);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "3 no record, comment or blank line: garbage first",
                       "5 no record, comment or blank line: more garbage",
                       "6 no record, comment or blank line: <boolean id=\"amap\" value=\"false\"/>",
                   }));
}

}  // namespace
}  // namespace mapio::testing
