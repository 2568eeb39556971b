// What the make job does when the disk, the folder or a name lets it down.
#include <filesystem>

#include "platform/files.h"
#include "tests/support/hostile_entries.h"
#include "tests/support/ordinary_user.h"
#include "tests/writer/writer_fixture.h"
#include "writer/record_name.h"

namespace mapio::testing {
namespace {

namespace fs = std::filesystem;

bool HasWarningCaptionedError(const std::vector<Message>& messages) {
  for (const Message& m : messages) {
    if (m.caption == "Error" && m.kind == MessageKind::Warning) return true;
  }
  return false;
}

TEST_F(WriterTest, WriteErrorNeverEndsInSuccessAndKeepsTheOldFile) {
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) names.push_back(std::to_string(i) + ".png");
  Files(names);
  for (bool old : {true, false}) {
    for (std::size_t bytes :
         {std::size_t{0}, std::size_t{100}, std::size_t{600}, std::size_t{10000}}) {
      SCOPED_TRACE(::testing::Message() << "old " << old << " bytes " << bytes);
      if (old) folder.Write("config.xml", "old\r\ncontent");
      host.messages.clear();
      Run(Faces, true, {.writerHooks = {.failAfterBytes = bytes}});
      EXPECT_TRUE(HasWarningCaptionedError(host.messages));
      for (const Message& m : host.messages) EXPECT_NE(m.caption, "Success!");
      if (old) {
        EXPECT_EQ(folder.Read("config.xml"), "old\r\ncontent");
        fs::remove(folder.path() / "config.xml");
      }
      EXPECT_EQ(folder.List().size(), names.size());  // no temporary file left
    }
  }
}

// What a killed run left behind is no picture; a user's file that only
// looks a little like it is.
TEST_F(WriterTest, LeftoverOfAKilledRunIsNoCandidate) {
  Files({"1.png", ".config.xml.mapio-ABCDEF", ".x.mapio-ABCDEF"});
  Run(Faces, false);
  ASSERT_EQ(prompter.calls.size(), 2u);
  EXPECT_EQ(prompter.calls[0].fileName, ".x.mapio-ABCDEF");
  EXPECT_EQ(prompter.calls[0].counter, "0/2");
}

#ifndef _WIN32
// A config.xml the user may not write is refused, not replaced through the
// temporary file; a folder of that name gets no question.
TEST(WriterRefusal, ConfigXmlThatCannotBeWrittenIsLeftAsItWas) {
  const Message cannotWrite{
      "config.xml in this directory cannot be written: it is read-only, belongs to another user "
      "or is a folder! No file was changed.",
      "Error", MessageKind::Warning};
  const struct {
    const char* name;
    fs::perms perms;
    bool foreign;
    bool folder;
    std::vector<Message> messages;
  } cases[] = {
      {"read-only", fs::perms::owner_read, false, false, {kOverwriteQuestion, cannotWrite}},
      {"someone else's",
       fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read,
       true,
       false,
       {kOverwriteQuestion, cannotWrite}},
      {"a folder", fs::perms::owner_all, false, true, {cannotWrite}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    folder.Write("1.png");
    if (c.folder) {
      folder.Write("config.xml/inside", "old");
    } else {
      folder.Write("config.xml", "old");
    }
    fs::permissions(folder.path() / "config.xml", c.perms);
    FakeHost host;
    ScriptedPrompter prompter;
    JobSettings settings;
    settings.folderPath = folder.str();
    settings.allFilenamesAreIds = true;
    {
      OrdinaryUser user(folder.path(), c.foreign ? std::vector<std::string>{"config.xml"}
                                                 : std::vector<std::string>{});
      if (c.foreign && !user.HasForeignFiles()) continue;  // cannot give a file away
      MakeMappingFile(settings, host, prompter);
    }
    EXPECT_EQ(host.messages, c.messages);
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"1.png", "config.xml"}));
    EXPECT_EQ(folder.Read(c.folder ? "config.xml/inside" : "config.xml"), "old");
    EXPECT_EQ(fs::status(folder.path() / "config.xml").permissions(), c.perms);
  }
}
#endif

TEST_F(WriterTest, FolderThatCannotBeCreatedInWarns) {
  Files({"1.png"});
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  {
    std::FILE* probe = std::fopen((folder.path() / "probe").string().c_str(), "w");
    if (probe != nullptr) {
      std::fclose(probe);
      fs::remove(folder.path() / "probe");
      GTEST_SKIP() << "this user may write anywhere";
    }
  }
  Run();
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(HasWarningCaptionedError(host.messages));
  EXPECT_FALSE(folder.Exists("config.xml"));
}

TEST_F(WriterTest, FolderThatCannotBeSearchedWarnsAndWritesNothing) {
  settings.folderPath = (folder.path() / "gone").string();
  MakeMappingFile(settings, host, prompter);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(HasWarningCaptionedError(host.messages));
  EXPECT_TRUE(folder.List().empty());
}

// Moves the folder away while the overwrite question is open.
class VanishingHost : public FakeHost {
 public:
  fs::path folder, movedTo;
  MessageButton ShowMessage(std::string_view text, std::string_view caption,
                            MessageKind kind) override {
    if (kind == MessageKind::Question) fs::rename(folder, movedTo);
    return FakeHost::ShowMessage(text, caption, kind);
  }
};

TEST_F(WriterTest, FolderGoneDuringTheQuestionWarnsAndWritesNothing) {
  TempFolder parent;
  parent.Write("pics/1.png");
  parent.Write("pics/config.xml", "old");
  VanishingHost vanishing;
  vanishing.folder = parent.path() / "pics";
  vanishing.movedTo = parent.path() / "moved";
  settings.folderPath = vanishing.folder.string();
  settings.allFilenamesAreIds = true;
  MakeMappingFile(settings, vanishing, prompter);
  ASSERT_EQ(vanishing.messages.size(), 2u);
  EXPECT_EQ(vanishing.messages[0], kOverwriteQuestion);
  EXPECT_TRUE(HasWarningCaptionedError(vanishing.messages));
  EXPECT_EQ(parent.List(), std::vector<std::string>{"moved"});
  EXPECT_EQ(parent.Read("moved/config.xml"), "old");
}

#ifndef _WIN32
// A FIFO, a device, a link out of the pack or to nothing gets no record from
// make or update, and each is named as passed over; a link to a picture
// inside the pack is mapped as the picture.
TEST_F(WriterTest, EntriesThatAreNoFilesArePassedOverByMakeAndUpdate) {
  TempFolder outer;
  settings.folderPath = MakeHostilePack(outer);
  settings.allFilenamesAreIds = true;
  const Message passedOver{
      "These were passed over: they are no files of the folder (a FIFO, a device, or a link that "
      "leads out of the folder or to nothing), so no record maps them:\n1.png\n2.png\n3.png\n"
      "4.png",
      "Files not added", MessageKind::Warning};
  MakeMappingFile(settings, host, prompter);
  EXPECT_EQ(outer.ReadText("pack/config.xml"),
            MappingFile({FaceRecord("0", "0"), FaceRecord("5", "5")}));
  EXPECT_EQ(host.messages, (std::vector<Message>{passedOver, SuccessMessage(2)}));

  host.messages.clear();
  outer.Write("pack/config.xml", MappingFile({}));
  UpdateMappingFile(settings, host, prompter);
  EXPECT_EQ(outer.ReadText("pack/config.xml"),
            MappingFile({FaceRecord("0", "0"), FaceRecord("5", "5")}));
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(host.messages[0], passedOver);
}
#endif

TEST(LeadingId, ReadsAsAtoiButRefusesWhatDoesNotFit) {
  struct Row {
    std::string_view text;
    std::optional<std::uint32_t> id;
  };
  const Row rows[] = {
      {"", 0u},
      {"abc", 0u},
      {"12abc", 12u},
      {"1.2", 1u},
      {" \t\n12", 12u},
      {"+8", 8u},
      {"-5", 4294967291u},
      {"-0", 0u},
      {"-", 0u},
      {"- 5", 0u},
      {"\xA0"
       "12",
       0u},
      {"0000000000000000000042", 42u},
      {"4294967295", 4294967295u},
      {"4294967296", std::nullopt},
      {"-2147483648", 2147483648u},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999999", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(writer::LeadingId(row.text), row.id);
  }
}

TEST_F(WriterTest, NamesWhoseNumberIsNoIdAreSkippedWithOneWarning) {
  Files({"4294967295.png", "4294967296.png", "-2147483648.png", "-2147483649.png",
         "99999999999999999999.png", "7.png"});
  Run();
  EXPECT_EQ(Written(), MappingFile({FaceRecord("-2147483648", "2147483648"),
                                    FaceRecord("4294967295", "4294967295"), FaceRecord("7", "7")}));
  ASSERT_EQ(host.messages.size(), 2u);
  const Message& warning = host.messages[0];
  EXPECT_EQ(warning.kind, MessageKind::Warning);
  for (const char* name : {"4294967296.png", "-2147483649.png", "99999999999999999999.png"}) {
    EXPECT_NE(warning.text.find(std::string("\n") + name), std::string::npos) << name;
  }
  EXPECT_EQ(warning.text.find("7.png"), std::string::npos);
  EXPECT_EQ(host.messages[1], SuccessMessage(3));
}

TEST_F(WriterTest, SkippedListIsCapped) {
  std::vector<std::string> names;
  for (int i = 10; i < 35; ++i) names.push_back("50000000" + std::to_string(i) + ".png");
  Files(names);
  Run();
  ASSERT_EQ(host.messages.size(), 2u);
  const std::string& text = host.messages[0].text;
  EXPECT_NE(text.find("5000000029.png"), std::string::npos);
  EXPECT_EQ(text.find("5000000030.png"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\nand 5 more"));
  EXPECT_EQ(host.messages[1], SuccessMessage(0));
}

TEST_F(WriterTest, ConfigXmlInOtherCaseCountsWhenItIsTheSameFile) {
  // A link stands in for a file system that ignores case.
  folder.Write("config.xml", "old");
  std::error_code ec;
  fs::create_symlink("config.xml", folder.path() / "Config.XML", ec);
  if (ec) GTEST_SKIP() << "no symbolic links here: " << ec.message();
  Files({"1.png"});
  Run();
  EXPECT_EQ(Written(), MappingFile({FaceRecord("1", "1")}));
  EXPECT_EQ(host.messages, (std::vector<Message>{kOverwriteQuestion, SuccessMessage(1)}));
}

TEST_F(WriterTest, ConfigXmlInOtherCaseIsAPictureWhenItIsAnotherFile) {
  Files({"Config.XML"});
  Run();
#ifdef _WIN32
  // Windows ignores case in names: Config.XML is the mapping file itself.
  EXPECT_EQ(Written(), MappingFile({}));
  EXPECT_EQ(host.messages, (std::vector<Message>{kOverwriteQuestion, SuccessMessage(0)}));
  return;
#endif
  EXPECT_EQ(Written(), MappingFile({FaceRecord("config", "0")}));
  EXPECT_EQ(host.messages, std::vector<Message>{SuccessMessage(1)});
}

}  // namespace
}  // namespace mapio::testing
