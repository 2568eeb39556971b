// What the check says of names rather than contents: names Windows cannot
// open, whatever system the pack was made on, and entries that are no
// files of the pack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/check_pack.h"
#include "checker/name_findings.h"
#include "core/record_template.h"
#include "tests/support/hostile_entries.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

using checker::WindowsFolderDetail;
using checker::WindowsNameDetail;

TEST(WindowsNames, AreToldOnEverySystem) {
  const std::pair<std::string, std::string> rows[] = {
      {"1234.png", ""},
      {"console.png", ""},
      {"com0.png", ""},
      {"con_x.png", ""},
      {"CON.png", "\"CON\" is the name of a device there"},
      {"aux.JPG", "\"aux\" is the name of a device there"},
      {"Nul.tar.gif", "\"Nul\" is the name of a device there"},
      {"prn.png", "\"prn\" is the name of a device there"},
      {"COM1.png", "\"COM1\" is the name of a device there"},
      {"com9.png", "\"com9\" is the name of a device there"},
      {"lpt5.png", "\"lpt5\" is the name of a device there"},
      {"con .png", "\"con\" is the name of a device there"},
      {"a<b.png", "it holds a \"<\", which Windows keeps for itself"},
      {"a>b.png", "it holds a \">\", which Windows keeps for itself"},
      {"a:b.png", "it holds a \":\", which Windows keeps for itself"},
      {"a\"b.png", "it holds a quotation mark, which Windows keeps for itself"},
      {"a|b.png", "it holds a \"|\", which Windows keeps for itself"},
      {"a?b.png", "it holds a \"?\", which Windows keeps for itself"},
      {"a*b.png", "it holds a \"*\", which Windows keeps for itself"},
      {"a\\b.png", "it holds a \"\\\", which Windows keeps for itself"},
      {"a\tb.png", "it holds a control character"},
      {"name.", "it ends in a dot"},
      {"name ", "it ends in a space"},
  };
  for (const auto& [name, why] : rows)
    EXPECT_EQ(WindowsNameDetail(name), why.empty() ? "" : "Windows cannot open this name: " + why)
        << name;
  EXPECT_EQ(WindowsFolderDetail("faces./abc"),
            "Windows cannot open the folder \"faces.\" of this name: it ends in a dot");
  EXPECT_EQ(WindowsFolderDetail("a/LPT1/b"),
            "Windows cannot open the folder \"LPT1\" of this name: \"LPT1\" is the name of a "
            "device there");
  // The last part is the picture's name, which its own finding covers.
  for (const char* fine : {"abc", "faces/abc", "./a", "con", "a/b."})
    EXPECT_EQ(WindowsFolderDetail(fine), "") << fine;
}

#ifndef _WIN32
std::string Face(const std::string& from, const std::string& id) {
  return "\t\t<record from=\"" + from + "\" to=\"graphics/pictures/person/" + id +
         "/portrait\"/>\n";
}

// Each is told with what it is, with --deep too, and never read: a FIFO
// would hang the check and a device feed it for ever. A link to a picture
// inside the pack is a picture like any other.
TEST(NotAFile, EntriesThatAreNoFilesOfThePackAreToldWhatTheyAre) {
  TempFolder outer;
  const std::string pack = MakeHostilePack(outer);
  outer.Write("pack/CON.png", kTinyPng);
  outer.Write("pack/what?.png", kTinyPng);
  outer.Write("pack/config.xml", std::string(MappingHeader) + Face("0", "10") + Face("5", "15") +
                                     Face("con", "16") + Face("what?", "17") +
                                     Face("bad./x", "18") + std::string(MappingTrailer));
  for (const bool deep : {false, true}) {
    checker::CheckOptions options;
    options.deep = deep;
    const checker::PackReport report = checker::CheckPack(pack, Faces, options);
    std::vector<std::string> found;
    for (const checker::Finding& f : report.findings)
      found.push_back(std::to_string(f.line) + " " +
                      std::string(checker::CategoryWord(f.category)) + " " + f.name + ": " +
                      f.detail);
    EXPECT_EQ(
        found,
        (std::vector<std::string>{
            "23 windows-name bad./x: Windows cannot open the folder \"bad.\" of this name: it "
            "ends in a dot",
            "23 missing bad./x: no picture bad./x.png, bad./x.jpg or bad./x.gif",
            "0 not-a-file 1.png: a FIFO (named pipe), not a picture: make and update pass it over",
            "0 not-a-file 2.png: a link to a device, not a picture: make and update pass it over",
            "0 not-a-file 3.png: a link leading out of the pack, not a picture: make and update "
            "pass it over",
            "0 not-a-file 4.png: a link leading to nothing, not a picture: make and update pass "
            "it over",
            "0 windows-name CON.png: Windows cannot open this name: \"CON\" is the name of a "
            "device there",
            "0 windows-name what?.png: Windows cannot open this name: it holds a \"?\", which "
            "Windows keeps for itself"}))
        << (deep ? "deep" : "");
    EXPECT_EQ(report.pictures, 4u);
    EXPECT_EQ(report.sizes, "usual size 1x1, 0 pictures of another size");
  }
}
#endif

}  // namespace
}  // namespace mapio::testing
