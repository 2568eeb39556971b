// Converting IDs between the plain and the "r-" style changes those bytes
// and no other, and converting back gives the file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "convert/convert_ids.h"
#include "core/object_kind.h"
#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace mapio::testing {
using namespace convert;
namespace {

std::string Face(std::string_view from, std::string_view id, std::string_view end = "\n") {
  return "  <record from=\"" + std::string(from) + "\" to=\"graphics/pictures/person/" +
         std::string(id) + "/portrait\"/>" + std::string(end);
}

const std::string kHead = "<record>\n <list id=\"maps\">\n";
const std::string kTail = " </list>\n</record>";
// Real and generated players, a placeholder, a club logo, an entity; the
// three faces' IDs as given.
std::string Mixed(std::string_view real, std::string_view gen, std::string_view gen2) {
  return kHead + Face("real", real) + Face("gen", gen) + Face("gen2", gen2) +
         "  <record from=\"x\" to=\"graphics/pictures/person/none/portrait\"/>\n"
         "  <record from=\"c\" to=\"graphics/pictures/club/5/logo\"/>\n"
         "  <record from=\"e\" to=\"graphics/pictures/person/&#50;1/portrait\"/>\n" +
         kTail;
}
const std::string kMixed = Mixed("17", "r-2000123", "2000124");
const std::string kMixedGenerated = Mixed("r-17", "r-2000123", "r-2000124");
const std::string kMixedPlain = Mixed("17", "2000123", "2000124");
const std::string kCrLf = "<record>\r\n<list id=\"maps\">\r\n<!-- 2000001 -->\r\n" +
                          Face("a", "2000001", "\r\n") + "<!-- " +
                          Face("b", "2000002", " -->\r\n") + Face("c", "3000003", "\r\n") +
                          "</list>\r\n</record>\r\n";

struct ConvertCase {
  const char* title;
  std::string before;
  IdStyle to;
  std::vector<IdRange> ids;
  std::optional<std::string> after;  // nullopt: not written
  std::string counts;                // converted/in style/left out/other kinds/fixed/unchangeable
};

const ConvertCase kCases[] = {
    {"a mixed pack to r-", kMixed, IdStyle::Generated, {}, kMixedGenerated, "2/1/0/1/1/1"},
    {"a mixed pack to plain", kMixed, IdStyle::Plain, {}, kMixedPlain, "1/2/0/1/1/1"},
    {"only generated players",
     kMixedPlain,
     IdStyle::Generated,
     {{2000124, 2999999}, {2000000, 2000124}},  // out of order, overlapping
     Mixed("17", "r-2000123", "r-2000124"),
     "2/0/1/1/1/1"},
    {"a list of IDs, CR LF and comments kept",
     kCrLf,
     IdStyle::Generated,
     {{3000003, 3000003}, {5, 5}},
     "<record>\r\n<list id=\"maps\">\r\n<!-- 2000001 -->\r\n" + Face("a", "2000001", "\r\n") +
         "<!-- " + Face("b", "2000002", " -->\r\n") + Face("c", "r-3000003", "\r\n") +
         "</list>\r\n</record>\r\n",
     "1/0/1/0/0/0"},
    {"nothing to convert", kMixedGenerated, IdStyle::Generated, {}, std::nullopt, "0/3/0/1/1/1"},
};

void PrintTo(const ConvertCase& c, std::ostream* os) { *os << c.title; }

class ConvertTable : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTable, ChangesOnlyTheIds) {
  const ConvertCase& c = GetParam();
  TempFolder folder;
  folder.Write("config.xml", c.before);
  // A second name for the file: a rewrite puts a new file in place.
  const TempFolder aside;
  std::filesystem::create_hard_link(folder.path() / "config.xml", aside.path() / "config.xml");
  ConvertOptions options;
  options.kind = Faces;
  options.to = c.to;
  options.ids = c.ids;
  const ConvertOutcome outcome = ConvertIds(folder.str(), options);
  EXPECT_EQ(outcome.result,
            c.after ? ConvertOutcome::Result::Converted : ConvertOutcome::Result::NothingToConvert);
  EXPECT_EQ(std::to_string(outcome.converted) + "/" + std::to_string(outcome.alreadyInStyle) + "/" +
                std::to_string(outcome.leftOut) + "/" + std::to_string(outcome.otherKinds) + "/" +
                std::to_string(outcome.fixed) + "/" + std::to_string(outcome.unchangeable),
            c.counts);
  EXPECT_EQ(folder.Read("config.xml"), c.after.value_or(c.before));
  EXPECT_EQ(platform::SameFile((folder.path() / "config.xml").string(),
                               (aside.path() / "config.xml").string()),
            !c.after);
  if (!c.after) return;
  // And back: the file as it was.
  options.to = c.to == IdStyle::Generated ? IdStyle::Plain : IdStyle::Generated;
  options.ids.clear();
  if (c.before == kMixed) return;  // it mixed both styles: no one way back
  ConvertIds(folder.str(), options);
  EXPECT_EQ(folder.Read("config.xml"), c.before);
}

INSTANTIATE_TEST_SUITE_P(Packs, ConvertTable, ::testing::ValuesIn(kCases));

TEST(Convert, DryRunShowsTheFirstChangesAndWritesNothing) {
  TempFolder folder;
  folder.Write("config.xml", kMixedPlain);
  ConvertOptions options;
  options.dryRun = true;
  options.examples = 1;
  const ConvertOutcome outcome = ConvertIds(folder.str(), options);
  EXPECT_EQ(outcome.result, ConvertOutcome::Result::Converted);
  EXPECT_EQ(outcome.kind, Faces);
  EXPECT_TRUE(outcome.kindFound);
  EXPECT_EQ(outcome.converted, 3u);
  ASSERT_EQ(outcome.examples.size(), 1u);
  EXPECT_EQ(outcome.examples[0].first,
            "<record from=\"real\" to=\"graphics/pictures/person/17/portrait\"/>");
  EXPECT_EQ(outcome.examples[0].second,
            "<record from=\"real\" to=\"graphics/pictures/person/r-17/portrait\"/>");
  EXPECT_EQ(folder.Read("config.xml"), kMixedPlain);
}

TEST(Convert, IdRangesAreNumbersOrTwoJoinedByADash) {
  EXPECT_EQ(ParseIdRange("17")->first, 17u);
  EXPECT_EQ(ParseIdRange("2000000-2999999")->last, 2999999u);
  for (const char* bad :
       {"", "-", "5-", "-5", "9-1", "1-2-3", "a", "1 - 2", "99999999999999999999"})
    EXPECT_EQ(ParseIdRange(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace mapio::testing
