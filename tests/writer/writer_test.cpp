// The make job as the user sees it: the files it writes, byte for byte, and
// what it asks and says.
#include <filesystem>

#include "tests/writer/writer_fixture.h"

namespace mapio::testing {
namespace {

struct NameRow {
  std::vector<std::string> files;
  std::vector<std::string> records;  // in listing order
};

TEST_F(WriterTest, IdsFromNames) {
  const NameRow rows[] = {
      {{"1234.png", "5678.jpg"}, {FaceRecord("1234", "1234"), FaceRecord("5678", "5678")}},
      {{"Face01.PNG"}, {FaceRecord("face01", "0")}},
      {{"0123.png"}, {FaceRecord("0123", "123")}},
      {{"12abc.png"}, {FaceRecord("12abc", "12")}},
      {{"1.2.png"}, {FaceRecord("1.2", "1")}},
      {{"ABC"}, {FaceRecord("ABC", "0")}},
      {{".png"}, {FaceRecord("", "0")}},
      {{"-5.png"}, {FaceRecord("-5", "4294967291")}},
      {{"+8.png", " 9 x.gif"}, {FaceRecord(" 9 x", "9"), FaceRecord("+8", "8")}},
      {{"1.png", "1.jpg"}, {FaceRecord("1", "1"), FaceRecord("1", "1")}},
#ifdef _WIN32  // Windows names cannot hold angle brackets
      {{"a&b.png", "x'y.png"}, {FaceRecord("a&amp;b", "0"), FaceRecord("x'y", "0")}},
#else
      {{"a&b.png", "x'<y>.png"}, {FaceRecord("a&amp;b", "0"), FaceRecord("x'&lt;y>", "0")}},
#endif
      {{"Thumbs.db", "notes.TXT", ".hidden"},
       {FaceRecord("", "0"), FaceRecord("notes", "0"), FaceRecord("thumbs", "0")}},
      // The same bytes on every system: UTF-8, lowered by one rule.
      {{"1_M\xC3\xBCller.png", "2_\xC5\x81ukasz.PNG", "3_\xC4\x90okovi\xC4\x87.jpg",
        "4_\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2.png", "5_\xE6\x9D\x8E.png",
        "6_\xF0\x9F\x98\x80.gif"},
       {FaceRecord("1_m\xC3\xBCller", "1"), FaceRecord("2_\xC5\x82ukasz", "2"),
        FaceRecord("3_\xC4\x91okovi\xC4\x87", "3"),
        FaceRecord("4_\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2", "4"),
        FaceRecord("5_\xE6\x9D\x8E", "5"), FaceRecord("6_\xF0\x9F\x98\x80", "6")}},
      // NTFS order on every system: à (as À) before ß, though its bytes are larger.
      {{"\xD0\xAF.png", "\xC3\x9F.png", "z.png", "\xC3\xA0.png"},
       {FaceRecord("z", "0"), FaceRecord("\xC3\xA0", "0"), FaceRecord("\xC3\x9F", "0"),
        FaceRecord("\xD1\x8F", "0")}},
  };
  for (const NameRow& row : rows) {
    SCOPED_TRACE(row.files[0]);
    TempFolder fresh;
    settings.folderPath = fresh.str();
    settings.allFilenamesAreIds = true;
    for (const std::string& f : row.files) fresh.Write(f, "picture");
    host.messages.clear();
    MakeMappingFile(settings, host, prompter);
    EXPECT_EQ(fresh.ReadText("config.xml"), MappingFile(row.records));
    EXPECT_EQ(host.messages, std::vector<Message>{SuccessMessage(row.records.size())});
  }
  EXPECT_TRUE(prompter.calls.empty());
}

TEST_F(WriterTest, EmptyFolderGetsHeaderAndTrailerOnly) {
  for (bool idsFromNames : {true, false}) {
    std::filesystem::remove(folder.path() / "config.xml");
    host.messages.clear();
    Run(Faces, idsFromNames);
    EXPECT_EQ(Written(), std::string(MappingHeader) + std::string(MappingTrailer));
    EXPECT_EQ(host.messages, std::vector<Message>{SuccessMessage(0)});
  }
  EXPECT_TRUE(prompter.calls.empty());
}

TEST_F(WriterTest, OnlyConfigXmlYesRewritesIt) {
  folder.Write("config.xml", "old");
  Run(Faces, false);
  EXPECT_EQ(Written(), MappingFile({}));
  EXPECT_EQ(host.messages, (std::vector<Message>{kOverwriteQuestion, SuccessMessage(0)}));
  EXPECT_TRUE(prompter.calls.empty());
}

TEST_F(WriterTest, NoToOverwriteLeavesEverythingAsItWas) {
  Files({"1.png", "2.png"});
  folder.Write("config.xml", "old");
  host.answers = {MessageButton::No};
  Run();
  EXPECT_EQ(Written(), "old");
  EXPECT_EQ(host.messages, std::vector<Message>{kOverwriteQuestion});
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"1.png", "2.png", "config.xml"}));
}

TEST_F(WriterTest, SubfoldersAndConfigXmlAreNoCandidates) {
  Files({"3.png", "sub/9.png", "config.xml"});
  folder.MakeDir("empty");
  Run(Faces, false);  // the one prompt is declined
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].fileName, "3.png");
  EXPECT_EQ(prompter.calls[0].counter, "0/1");
  EXPECT_EQ(Written(), MappingFile({}));
  EXPECT_EQ(host.messages, (std::vector<Message>{kOverwriteQuestion, SuccessMessage(0)}));
}

TEST_F(WriterTest, PromptCountersFollowTheAnswers) {
  Files({"c.png", "B.png", "a.png"});
  folder.Write("config.xml", "old");
  Answer(KitAnswer{7});
  Answer(std::nullopt);
  Answer(KitAnswer{9});
  Run(Faces, false);
  ASSERT_EQ(prompter.calls.size(), 3u);
  const char* names[] = {"a.png", "B.png", "c.png"};
  const char* counters[] = {"0/3", "1/3", "1/2"};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(prompter.calls[i].fileName, names[i]);
    EXPECT_EQ(prompter.calls[i].counter, counters[i]);
    EXPECT_FALSE(prompter.calls[i].kit);
  }
  EXPECT_EQ(Written(), MappingFile({FaceRecord("a", "7"), FaceRecord("c", "9")}));
  EXPECT_EQ(host.messages, (std::vector<Message>{kOverwriteQuestion, SuccessMessage(2)}));
}

TEST_F(WriterTest, PromptShowsTheFullNameAndTheRecordIsLowerCase) {
  Files({"Face01.PNG"});
  Answer(KitAnswer{4294967295u});
  Run(Faces, false);
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].fileName, "Face01.PNG");
  EXPECT_EQ(Written(), MappingFile({FaceRecord("face01", "4294967295")}));
}

TEST_F(WriterTest, KitsByPromptUseTheChosenKit) {
  Files({"h.png", "a.png", "t.png", "x.png"});
  Answer(KitAnswer{2, KitKind::Away});
  Answer(KitAnswer{1, KitKind::Home});
  Answer(KitAnswer{3, KitKind::Third});
  Answer(std::nullopt);
  Run(Kits, false);
  ASSERT_EQ(prompter.calls.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(prompter.calls[i].kit);
    EXPECT_EQ(prompter.calls[i].counter, std::to_string(i) + "/4");
  }
  EXPECT_EQ(Written(), MappingFile({KitRecord("a", "2", "away"), KitRecord("h", "1", "home"),
                                    KitRecord("t", "3", "third")}));
  // Kits never ask for a record template.
  EXPECT_EQ(host.messages, std::vector<Message>{SuccessMessage(3)});
}

TEST_F(WriterTest, KitsWithIdsFromNamesAreHomeKits) {
  Files({"5.png", "6.png"});
  Run(Kits, true);
  EXPECT_EQ(Written(), MappingFile({KitRecord("5", "5", "home"), KitRecord("6", "6", "home")}));
  EXPECT_EQ(host.messages, std::vector<Message>{SuccessMessage(2)});
}

TEST_F(WriterTest, OtherKindsUseTheirOwnPath) {
  Files({"3.png"});
  Run(NationLogos);
  EXPECT_EQ(Written(), MappingFile({R"(<record from="3" to="graphics/pictures/nation/3/logo"/>)"}));
  Run(DefaultBackgrounds);
  EXPECT_EQ(Written(), MappingFile({FaceRecord("3", "3")}));
}

TEST_F(WriterTest, ProgressEndsWithEveryEntryWritten) {
  Files({"1.png", "2.png", "3.png"});
  folder.MakeDir("sub");
  Run();
  ASSERT_FALSE(host.progress.empty());
  EXPECT_EQ(host.progress.front().phase, JobProgress::Phase::Counting);
  const JobProgress& last = host.progress.back();
  EXPECT_EQ(last.phase, JobProgress::Phase::Writing);
  EXPECT_EQ(last.done, 4u);
  EXPECT_EQ(last.total, 4u);
}

}  // namespace
}  // namespace mapio::testing
