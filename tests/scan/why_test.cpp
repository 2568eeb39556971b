// why: what the game finds for one ID below a folder, in each case the
// answer differs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/check_pack.h"
#include "core/record_template.h"
#include "scan/pack_walk.h"
#include "scan/why.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
namespace {

std::string PackOf(const std::vector<std::string>& records) {
  std::string text(MappingHeader);
  for (const std::string& r : records) text += "\t\t" + r + "\n";
  return text + std::string(MappingTrailer);
}

std::string Record(const std::string& from, const std::string& to) {
  return "<record from=\"" + from + "\" to=\"graphics/pictures/" + to + "\"/>";
}

// "faces:19 found faces/2000123.png PNG 1x1 [empty]" a record, then
// "unmapped FILE" each, then whether it is in order.
std::vector<std::string> Brief(const scan::WhyOutcome& outcome) {
  constexpr const char* kPicture[] = {"not-looked", "found", "other-case", "translated", "missing"};
  std::vector<std::string> out;
  for (const scan::WhyRecord& r : outcome.records) {
    std::string line = r.pack + ":" + std::to_string(r.line) + (r.generatedId ? " r- " : " ") +
                       kPicture[static_cast<int>(r.picture)];
    for (const std::string& file : r.files) line += " " + file;
    if (!r.format.empty()) line.append(" ").append(r.format);
    if (r.width != 0)
      line.append(" ").append(std::to_string(r.width)).append("x").append(std::to_string(r.height));
    for (const checker::Finding& f : r.findings)
      line.append(" [").append(checker::CategoryWord(f.category)).append("]");
    out.push_back(line);
  }
  for (const std::string& file : outcome.unmapped) out.push_back("unmapped " + file);
  out.push_back(outcome.InOrder() ? "in order" : "not in order");
  return out;
}

struct WhyCase {
  ObjectKind kind;
  std::string id;
  std::vector<std::string> expected;
};

TEST(Why, TellsEachRecordOfTheIdItsPictureAndWhatIsWrong) {
  TempFolder root;
  root.Write("faces/config.xml", PackOf({
                                     Record("2000123", "person/2000123/portrait"),  // 19
                                     Record("john", "person/r-555/portrait"),       // 20
                                     Record("gone", "person/777/portrait"),         // 21
                                     Record("old", "person/888/portrait"),          // 22
                                     Record("dup", "person/888/portrait"),          // 23
                                 }));
  root.Write("faces/2000123.png", kTinyPng);
  root.Write("faces/John.PNG", kSmallPng);
  root.Write("faces/888.gif", kTinyGif);  // the folder was translated
  root.Write("faces/dup.png", kTinyPng);
  root.Write("faces/r-2000999.jpg");  // named after an ID no record maps
  root.Write("update/config.xml", PackOf({Record("x", "person/r-2000123/portrait")}));
  root.Write("update/x.png");  // empty
  root.Write("loose/2000999.png");

  const std::string faces = "faces";
  const std::string update = "update";
  const auto in = [](const std::string& folder, const std::string& file) {
    return scan::JoinRelative(folder, file);
  };
  const std::vector<WhyCase> cases = {
      {Faces,
       "555",
       {std::string("faces:20 r- other-case ").append(in(faces, "John.PNG")) + " PNG 2x2",
        "in order"}},
      {Faces,
       "2000123",
       {std::string("faces:19 found ").append(in(faces, "2000123.png")) + " PNG 1x1",
        std::string("update:19 r- found ").append(in(update, "x.png")) + " [empty]",
        "not in order"}},
      {Faces, "777", {"faces:21 missing", "not in order"}},
      {Faces,
       "888",
       {std::string("faces:22 translated ").append(in(faces, "888.gif")) + " GIF 1x1",
        std::string("faces:23 found ").append(in(faces, "dup.png")) + " PNG 1x1 [duplicate-id]",
        "not in order"}},
      {Faces,
       "2000999",
       {std::string("unmapped ").append(in(faces, "r-2000999.jpg")),
        std::string("unmapped ").append(in("loose", "2000999.png")), "not in order"}},
      {ClubLogos, "2000123", {"not in order"}},
  };
  for (const WhyCase& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(Brief(scan::ExplainId(root.str(), c.kind, c.id)), c.expected);
  }
  EXPECT_EQ(scan::IdOfArgument("r-2000123"), "2000123");
  EXPECT_EQ(scan::IdOfArgument("2000123"), "2000123");
  EXPECT_EQ(scan::IdOfArgument("r-"), std::nullopt);
  EXPECT_EQ(scan::IdOfArgument("12a"), std::nullopt);
}

}  // namespace
}  // namespace mapio::testing
