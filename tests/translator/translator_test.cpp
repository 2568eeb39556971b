// Reading config.xml: the list marker, pieces, line ends, the summary.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/translator/translator_fixture.h"
#include "translator/mapping_translator.h"

namespace mapio::testing {
namespace {

using Messages = std::vector<Message>;

TEST_F(TranslatorTest, ExampleRenamesPngAndGifAndWarnsForMissingPicture) {
  AddFiles({"a.png", "b.gif"});
  const std::string config =
      ConfigWith({FaceRecord("a", "101"), FaceRecord("b", "102"), FaceRecord("c", "103")});
  EXPECT_EQ(Run(config),
            (Messages{RenameWarning("c", "103"), Status("a -> 101\nb - > 102\n", 2, 3)}));
  EXPECT_EQ(State(), (std::vector<std::string>{"101.png=a.png", "102.gif=b.gif"}));
  EXPECT_EQ(dir.Read("config.xml"), config);  // only read
  ASSERT_FALSE(host.progress.empty());
  EXPECT_EQ(host.progress.back().phase, JobProgress::Phase::Renaming);

  // A second run finds none of the old names any more.
  EXPECT_EQ(RunAgain(), (Messages{RenameWarning("a", "101"), RenameWarning("b", "102"),
                                  RenameWarning("c", "103"), Status("", 0, 3)}));
}

TEST_F(TranslatorTest, MissingConfigAConfigFolderAndEmptyList) {
  const Messages cannotOpen{{"Could not open config.xml file!", "Warning", MessageKind::Warning}};
  EXPECT_EQ(RunAgain(), cannotOpen);
  dir.MakeDir("config.xml");
  EXPECT_EQ(RunAgain(), cannotOpen);
  std::filesystem::remove(dir.path() / "config.xml");
  EXPECT_EQ(Run(ConfigWith({})), (Messages{Status("", 0, 0)}));
}

TEST_F(TranslatorTest, MarkerMustMatchExactlyAfterTrimming) {
  const struct {
    const char* line;
    bool found;
  } cases[] = {
      {"\t\t<list id=\"maps\">", true},      {"   <list id=\"maps\">  \t", true},
      {"<list id=\"maps\">\r", true},        {"\v\f<list id=\"maps\">\r\r", true},
      {"<list id='maps'>", false},           {"<list  id=\"maps\">", false},
      {"<List id=\"maps\">", false},         {"<list id=\"maps\" >", false},
      {"<list id=\"maps\"><!-- -->", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const Messages expected{c.found ? Status("", 0, 0) : ReadError()};
    EXPECT_EQ(Run("<record>\n" + std::string(c.line) + "\n</list>\n"), expected);
  }
}

TEST_F(TranslatorTest, MarkerIsSoughtIn256Reads) {
  for (const int read : {256, 257}) {
    SCOPED_TRACE(read);
    const Messages expected{read == 256 ? Status("", 0, 0) : ReadError()};
    const std::string filler(static_cast<std::size_t>(read - 1), '\n');
    EXPECT_EQ(Run(filler + "<list id=\"maps\">\n</list>\n"), expected);
    // A line of 1000 characters costs two reads.
    const std::string longFirst = std::string(1000, 'x') + "\n" + filler.substr(2);
    EXPECT_EQ(Run(longFirst + "<list id=\"maps\">\n</list>"), expected);
  }
}

TEST_F(TranslatorTest, LongLinesArriveInPiecesOf511) {
  AddFiles({"a.png", "b.png"});
  // Piece one ends inside the blanks, so both records survive; the record cut
  // after its name gives two lines that do not parse.
  const std::string twoInOne = FaceRecord("a", "1") + std::string(500, ' ') + FaceRecord("b", "2");
  const std::string cut = FaceRecord(std::string(480, 'n'), "3");
  EXPECT_EQ(Run(ConfigWith({twoInOne, cut})),
            (Messages{ParseError(), ParseError(), Status("a -> 1\nb -> 2\n", 2, 2)}));
}

TEST_F(TranslatorTest, CommentsAreKnownByTheirSecondAndThirdCharacter) {
  EXPECT_EQ(Run(ConfigWith({"<!-- one line -->", "x!- also skipped", "<!-- runs over",
                            "two lines -->", "<!"})),
            (Messages{ParseError(), ParseError(), Status("", 0, 0)}));
}

TEST_F(TranslatorTest, FileEndingInsideTheListStillGetsTheSummary) {
  AddFiles({"a.png"});
  EXPECT_EQ(Run("<list id=\"maps\">\n" + FaceRecord("a", "7")),
            (Messages{Status("a -> 7\n", 1, 1)}));
}

TEST_F(TranslatorTest, NothingAfterTheEndOfTheListIsRead) {
  AddFiles({"a.png"});
  EXPECT_EQ(Run("<list id=\"maps\">\n </list> \n" + FaceRecord("a", "7") + "\n"),
            (Messages{Status("", 0, 0)}));
  EXPECT_EQ(State(), (std::vector<std::string>{"a.png=a.png"}));
}

// A line ends at its first NUL byte, whatever follows it on the line.
TEST_F(TranslatorTest, NulEndsTheTextOfALine) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    std::string text;
    Messages messages;
  } cases[] = {
      {"marker",
       "<list id=\"maps\">\0junk\n"s + FaceRecord("a", "1") + "\n</list>\n",
       {Status("a -> 1\n", 1, 1)}},
      {"end of the list",
       "<list id=\"maps\">\n</list>\0junk\n"s + FaceRecord("a", "1") + "\n",
       {Status("", 0, 0)}},
      {"empty and comment lines",
       "<list id=\"maps\">\n\0"s + FaceRecord("a", "1") + "\n \0x\n<!\0-\n<!-\0x\n</list>\n"s,
       {ParseError(), Status("", 0, 0)}},
      {"record",
       "<list id=\"maps\">\n" + FaceRecord("a", "1") + "\0\"/>\n"s +
           FaceRecord("b", "2").insert(15, "\0"s) + "\n</list>\n",
       {ParseError(), Status("a -> 1\n", 1, 1)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AddFiles({"a.png", "b.png"});
    EXPECT_EQ(Run(c.text), c.messages);
    for (const auto& name : dir.List()) std::filesystem::remove(dir.path() / name);
  }
}

// Each text once with LF and once with CR LF, from the same files: the same
// messages and the same renames. The lines of 510 characters end exactly
// where a 512-byte buffer splits CR from LF.
TEST_F(TranslatorTest, CrLfReadsLikeLf) {
  const std::string pad510(510, ' ');
  const std::string nearMarker = std::string(200, '\n') + pad510 + "\n" + std::string(54, '\n');
  const std::vector<std::string> texts = {
      ConfigWith({FaceRecord("a", "1"), FaceRecord("b", "2"), "<!-- c -->", FaceRecord("c", "3")}),
      nearMarker + "<list id=\"maps\">\n" + FaceRecord("a", "1") + "\n</list>\n",
      "<list id=\"maps\">\n" + pad510 + "\n" + std::string(510 - 62, 'x') + FaceRecord("a", "1") +
          "\n" + std::string(1021, ' ') + "\n" + FaceRecord("b", "2") + "\n</list>",
  };
  for (std::size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(i);
    Messages results[2];
    std::vector<std::string> states[2];
    for (int crlf = 0; crlf < 2; ++crlf) {
      AddFiles({"a.png", "b.jpg"});
      results[crlf] = Run(crlf ? WithCrLf(texts[i]) : texts[i]);
      states[crlf] = State();
      for (const auto& name : dir.List()) std::filesystem::remove(dir.path() / name);
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(states[0], states[1]);
    EXPECT_NE(results[0].back().caption, "Error");
  }
}

}  // namespace
}  // namespace mapio::testing
