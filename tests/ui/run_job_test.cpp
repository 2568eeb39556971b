#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ui/run_job.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"

namespace mapio {
namespace {

using pack::RecordTemplateOf;
using pack::TemplateHalf;
using testing::FakeHost;
using testing::Message;
using testing::TempFolder;

struct JobCall {
  char job;  // 'm' make, 't' translate
  JobSettings settings;
};

const Message kNoPath{"Please choose directory!", "Choose directory", MessageKind::Warning};
const Message kNoFolder{"Directory does not exist, please check the path!", "Choose directory",
                        MessageKind::Warning};
const Message kNoAction{"Error choosing action!", "Error", MessageKind::Warning};

class RunJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startup_ = platform::CurrentDirectory();
    folder_.MakeDir("a");
    folder_.MakeDir("b");
    folder_.MakeDir("c");
    folder_.Write("file.png", "x");
    jobs_.makeMapping = [this](JobSettings& s, JobHost&) { Record('m', s); };
    jobs_.translate = [this](JobSettings& s, JobHost&) { Record('t', s); };
  }
  // The current directory never moves.
  void TearDown() override { EXPECT_EQ(platform::CurrentDirectory(), startup_); }

  void Record(char job, const JobSettings& s) { calls_.push_back({job, s}); }
  std::string Path(std::string_view name) const { return (folder_.path() / name).string(); }
  void Go(std::string path, std::optional<Action> action = Action::Make) {
    host_.controls.folderPath = std::move(path);
    host_.controls.action = action;
    RunJob(host_, settings_, jobs_);
  }

  std::string startup_;
  TempFolder folder_;
  FakeHost host_;
  JobSettings settings_;
  JobEntries jobs_;
  std::vector<JobCall> calls_;
};

TEST_F(RunJobTest, RefusedFoldersStartNoJob) {
  struct Row {
    std::string path;
    Message message;
  };
  const Row rows[] = {
      {"", kNoPath},
      {Path("file.png"), kNoFolder},
      {Path("missing"), kNoFolder},
      {std::string(platform::kMaxFolderPath + 1, 'a'), kNoFolder},
      {Path("a") + std::string(platform::kMaxFolderPath, '/'), kNoFolder},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path.substr(0, 80));
    host_.messages.clear();
    Go(row.path);
    EXPECT_EQ(host_.messages, std::vector<Message>{row.message});
    EXPECT_TRUE(calls_.empty());
  }
}

TEST_F(RunJobTest, ActionChoosesTheJobAfterTheFolderCheck) {
  struct Row {
    std::optional<Action> action;
    std::string jobs;
    std::vector<Message> messages;
  };
  const Row rows[] = {
      {Action::Make, "m", {}},
      {Action::Translate, "t", {}},
      {std::nullopt, "", {kNoAction}},
      {static_cast<Action>(7), "", {kNoAction}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.jobs);
    calls_.clear();
    host_.messages.clear();
    Go(Path("b"), row.action);
    std::string ran;
    for (const JobCall& c : calls_) ran += c.job;
    EXPECT_EQ(ran, row.jobs);
    EXPECT_EQ(host_.messages, row.messages);
  }
}

TEST_F(RunJobTest, JobGetsThePulledSettings) {
  host_.controls.objectKind = NationLogos;
  host_.controls.allFilenamesAreIds = true;
  Go(Path("a"));
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].settings, host_.controls);
  EXPECT_EQ(host_.pulls, 1);
}

TEST_F(RunJobTest, RelativePathMeansTheSameFolderEveryTime) {
  const std::string relative = std::filesystem::relative(folder_.path() / "a", startup_).string();
  ASSERT_FALSE(platform::IsAbsolutePath(relative));
  Go(relative);
  Go(relative);
  ASSERT_EQ(calls_.size(), 2u) << ::testing::PrintToString(host_.Texts());
  for (const JobCall& c : calls_) {
    EXPECT_TRUE(platform::IsAbsolutePath(c.settings.folderPath));
    EXPECT_TRUE(platform::SameFile(c.settings.folderPath, Path("a")));
  }
  // The window keeps the path as typed.
  EXPECT_EQ(host_.controls.folderPath, relative);
}

TEST_F(RunJobTest, DroppedFoldersRunInOrderOnlyWithTheFlag) {
  const std::vector<std::string> drop = {Path("a"), Path("b"), Path("c")};
  for (const bool flag : {true, false}) {
    SCOPED_TRACE(flag);
    calls_.clear();
    host_.pushes.clear();
    host_.controls = {};
    host_.controls.processDroppedFolders = flag;
    host_.controls.action = Action::Translate;
    host_.controls.objectKind = ClubLogos;
    ApplyDroppedFolders(host_, settings_, drop, jobs_);
    ASSERT_EQ(host_.pushes.size(), 3u);
    EXPECT_EQ(host_.controls.folderPath, Path("c"));
    EXPECT_TRUE(host_.messages.empty());
    ASSERT_EQ(calls_.size(), flag ? 3u : 0u);
    for (std::size_t i = 0; i < calls_.size(); ++i) {
      EXPECT_EQ(calls_[i].job, 't');
      EXPECT_EQ(calls_[i].settings.folderPath, drop[i]);
      EXPECT_EQ(calls_[i].settings.objectKind, ClubLogos);
    }
  }
}

TEST_F(RunJobTest, DroppedFileWarnsAndTheOthersStillRun) {
  host_.controls.processDroppedFolders = true;
  ApplyDroppedFolders(host_, settings_, {Path("a"), Path("file.png"), Path("b")}, jobs_);
  EXPECT_EQ(host_.messages, std::vector<Message>{kNoFolder});
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].settings.folderPath, Path("a"));
  EXPECT_EQ(calls_[1].settings.folderPath, Path("b"));
}

TEST_F(RunJobTest, EmptyDropOnlyPulls) {
  host_.controls.processDroppedFolders = true;
  host_.controls.folderPath = Path("a");
  ApplyDroppedFolders(host_, settings_, {}, jobs_);
  EXPECT_EQ(host_.pulls, 1);
  EXPECT_TRUE(host_.pushes.empty());
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(calls_.empty());
}

// The window's record templates: kits have none, and say so.
TEST(GetRecordTemplate, KitsWarnAndGiveNothingOtherKindsTheirFormats) {
  for (TemplateHalf half : {TemplateHalf::Write, TemplateHalf::Read}) {
    FakeHost host;
    EXPECT_EQ(GetRecordTemplate(host, Kits, half), "");
    const std::vector<Message> expected{
        {"This line was supposed to never show!", "Error", MessageKind::Warning}};
    EXPECT_EQ(host.messages, expected);
  }
  FakeHost host;
  EXPECT_EQ(GetRecordTemplate(host, static_cast<ObjectKind>(11), TemplateHalf::Read),
            RecordTemplateOf(Faces).readFormat);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace mapio
