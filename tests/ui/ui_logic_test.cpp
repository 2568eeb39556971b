// The main window's behaviour and the prompts' validation, without a toolkit.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/support/face_pack.h"
#include "tests/support/fake_host.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"
#include "ui/id_field.h"
#include "ui/job_entries.h"
#include "ui/main_controls.h"
#include "ui/main_window.h"
#include "ui/progress_pacer.h"
#include "translator/mapping_translator.h"

namespace mapio::ui {
namespace {

using testing::FacePack;
using testing::Message;
using testing::TempFolder;

class FakeView : public MainWindowView {
 public:
  MainControls controls;
  std::vector<Message> boxes;
  std::vector<MessageButton> answers;  // taken in order; Ok when they run out
  std::vector<std::string> events;
  std::vector<ReportChoice> choices;  // taken in order; Close when they run out
  std::vector<ReportButtons> offered;
  std::function<void(CheckReport&)> onReport;  // what the user does in it first

  MainControls ReadControls() const override { return controls; }
  void WriteControls(const MainControls& c) override { controls = c; }
  MessageButton ShowBox(std::string_view text, std::string_view caption,
                        MessageKind kind) override {
    boxes.push_back({std::string(text), std::string(caption), kind});
    events.push_back("box");
    if (answers.empty()) return MessageButton::Ok;
    MessageButton a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  ReportChoice ShowReport(CheckReport& report) override {
    boxes.push_back(
        {report.Model().Lines({}), std::string(report.Caption()), MessageKind::Information});
    events.push_back("report");
    if (onReport) onReport(report);
    offered.push_back(report.Buttons());
    if (choices.empty()) return ReportChoice::Close;
    const ReportChoice choice = choices.front();
    choices.erase(choices.begin());
    return choice;
  }
  void JobStarted() override { events.push_back("start"); }
  void JobProgressed(const JobProgress&) override { events.push_back("progress"); }
  void JobEnded() override { events.push_back("end"); }
};

struct JobCall {
  std::string job;
  JobSettings settings;
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : window(view, RecordingJobs()) { window.Initialise(); }

  JobEntries RecordingJobs() {
    JobEntries jobs;
    jobs.makeMapping = [this](JobSettings& s, JobHost& h) {
      calls.push_back({"make", s});
      h.ReportProgress({});
    };
    jobs.translate = [this](JobSettings& s, JobHost&) { calls.push_back({"translate", s}); };
    return jobs;
  }

  FakeView view;
  std::vector<JobCall> calls;
  MainWindow window;
};

TEST(MainControlsTest, APositionOutsideAGroupMarksNothing) {
  struct Row {
    int position;
    std::optional<Action> action;
    std::optional<ObjectKind> kind;
  };
  const Row rows[] = {{-1, std::nullopt, std::nullopt},       {0, Action::Make, Faces},
                      {1, Action::Translate, Kits},           {2, std::nullopt, NationLogos},
                      {10, std::nullopt, DefaultBackgrounds}, {11, std::nullopt, std::nullopt}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.position);
    MainControls c;
    c.actionPosition = row.position;
    c.objectPosition = row.position;
    JobSettings s;
    EXPECT_TRUE(PullFromControls(c, s));
    EXPECT_EQ(s.action, row.action);
    EXPECT_EQ(s.objectKind, row.kind);
    MainControls back;
    PushToControls(s, back);
    EXPECT_EQ(back.actionPosition, row.action ? row.position : -1);
    EXPECT_EQ(back.objectPosition, row.kind ? row.position : -1);
  }
}

TEST(MainControlsTest, RoundTripKeepsEveryFieldAndTheEnabledStates) {
  JobSettings s{"/some/folder", true, ClubLogos, true, Action::Translate};
  MainControls c;
  c.kitsEnabled = false;
  c.allFilenamesEnabled = false;
  PushToControls(s, c);
  EXPECT_FALSE(c.kitsEnabled);
  EXPECT_FALSE(c.allFilenamesEnabled);
  JobSettings back;
  EXPECT_TRUE(PullFromControls(c, back));
  EXPECT_EQ(back, s);
}

TEST(MainControlsTest, PullFailsOnlyAboveTheLimitAndCopiesAnyway) {
  const std::string euro = "\xE2\x82\xAC";  // one character, three bytes
  struct Row {
    std::string path;
    bool ok;
  };
  std::string euros;
  for (std::size_t i = 0; i < kPathBoxLimit; ++i) euros += euro;
  const Row rows[] = {{std::string(kPathBoxLimit, 'a'), true},
                      {std::string(kPathBoxLimit + 1, 'a'), false},
                      {euros, true},
                      {euros + "a", false}};
  for (const Row& row : rows) {
    MainControls c;
    c.pathText = row.path;
    c.objectPosition = 3;
    JobSettings s;
    EXPECT_EQ(PullFromControls(c, s), row.ok) << row.path.size();
    EXPECT_EQ(s.folderPath, row.path);
    EXPECT_EQ(s.objectKind, CompetitionLogos);
  }
}

TEST_F(MainWindowTest, ModeSwitches) {
  struct Row {
    int object;
    bool option;
    int objectAfter;
  };
  const Row rows[] = {{1, true, 0}, {1, false, 0}, {4, true, 4}, {0, true, 0}, {3, false, 3}};
  for (const Row& row : rows) {
    view.controls.objectPosition = row.object;
    view.controls.allFilenamesAreIds = row.option;
    view.controls.actionPosition = 1;
    window.TranslateModeChosen();
    EXPECT_EQ(view.controls.objectPosition, row.objectAfter) << row.object;
    EXPECT_FALSE(view.controls.allFilenamesAreIds);
    EXPECT_FALSE(view.controls.allFilenamesEnabled);
    EXPECT_FALSE(view.controls.kitsEnabled);
    EXPECT_EQ(view.controls.actionPosition, 1);

    view.controls.actionPosition = 0;
    window.MakeModeChosen();
    EXPECT_TRUE(view.controls.allFilenamesEnabled);
    EXPECT_TRUE(view.controls.kitsEnabled);
    EXPECT_EQ(view.controls.objectPosition, row.objectAfter);
    EXPECT_FALSE(view.controls.allFilenamesAreIds);
  }
}

TEST_F(MainWindowTest, BrowseAnswerReplacesThePathAndKeepsUnpulledChoices) {
  view.controls.pathText = "/old";
  view.controls.objectPosition = 1;  // chosen after the last pull
  view.controls.processDroppedFolders = true;
  window.FolderChosen("/chosen");
  EXPECT_EQ(view.controls.pathText, "/chosen");
  EXPECT_EQ(view.controls.objectPosition, 1);
  EXPECT_TRUE(view.controls.processDroppedFolders);
  window.FolderChosen("");
  EXPECT_EQ(view.controls.pathText, "");
  EXPECT_TRUE(view.boxes.empty());
}

TEST_F(MainWindowTest, MessagesWithoutCaptionAreCaptionedMapio) {
  WindowHost host(view);
  host.ShowMessage("Error parsing XML file!", "", MessageKind::Warning);
  host.ShowMessage("x", "Status", MessageKind::Information);
  EXPECT_EQ(view.boxes[0].caption, "Mapio");
  EXPECT_EQ(view.boxes[1].caption, "Status");
}

TEST_F(MainWindowTest, DropsRunOneJobPerFolderInOrderWhenAsked) {
  TempFolder a, b, c;
  view.controls.processDroppedFolders = true;
  view.controls.objectPosition = 4;
  view.controls.allFilenamesAreIds = true;
  window.FoldersDropped({a.str(), b.str(), c.str()});
  ASSERT_EQ(calls.size(), 3u);
  const std::string expected[] = {a.str(), b.str(), c.str()};
  for (std::size_t i = 0; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].job, "make");
    EXPECT_EQ(calls[i].settings.folderPath, expected[i]);
    EXPECT_EQ(calls[i].settings.objectKind, ClubLogos);
    EXPECT_TRUE(calls[i].settings.allFilenamesAreIds);
  }
  EXPECT_EQ(view.controls.pathText, c.str());
  // Each job is framed for the progress display, and only jobs are.
  EXPECT_EQ(view.events, (std::vector<std::string>{"start", "progress", "end", "start", "progress",
                                                   "end", "start", "progress", "end"}));
}

// The report's ID style buttons convert after a yes, then the pack is
// checked again and offers the way back.
TEST_F(MainWindowTest, ReportConvertsToTheOtherIdStyleAfterAYes) {
  TempFolder dir;
  dir.Write("a.png");
  dir.Write("config.xml", FacePack({{"a", "1"}, {"gone", "2"}}));
  view.controls.pathText = dir.str();
  view.choices = {ReportChoice::UseGeneratedIds, ReportChoice::UsePlainIds};
  view.answers = {MessageButton::Yes, MessageButton::Ok, MessageButton::No};
  window.Check();
  EXPECT_EQ(dir.Read("config.xml"), FacePack({{"a", "r-1"}, {"gone", "r-2"}}));
  ASSERT_EQ(view.offered.size(), 3u);
  EXPECT_EQ(view.offered[0].useGeneratedIds, "Use &r- IDs");
  EXPECT_EQ(view.offered[0].usePlainIds, "");
  EXPECT_EQ(view.offered[1].useGeneratedIds, "");
  EXPECT_EQ(view.offered[1].usePlainIds, "Use &plain IDs");
  std::vector<std::string> texts;
  for (const Message& box : view.boxes)
    texts.push_back(box.caption + ": " + (box.caption == "Check" ? "(report)" : box.text));
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Check: (report)",
                       "Convert IDs: Convert the 2 records of faces with plain IDs in config.xml "
                       "to r- IDs? Nothing else in the file changes.",
                       "Convert IDs: 2 records of faces converted to r- IDs.",
                       "Check: (report)",
                       "Convert IDs: Convert the 2 records of faces with r- IDs in config.xml to "
                       "plain IDs? Nothing else in the file changes.",
                       "Check: (report)",
                   }));
  EXPECT_EQ(view.boxes[4].kind, MessageKind::Question);
}

// A translate on record is offered back; after it the pack is clean.
TEST_F(MainWindowTest, ReportTakesTheLastTranslateBackAfterAYes) {
  TempFolder dir;
  dir.Write("a.png", testing::kTinyPng);
  dir.Write("b.png", testing::kTinyPng);
  dir.Write("config.xml", FacePack({{"a", "1"}, {"b", "2"}}));
  ASSERT_EQ(translator::TranslateNames(dir.str(), {}).renamed, 2u);
  view.controls.pathText = dir.str();
  view.choices = {ReportChoice::UndoTranslate};
  view.answers = {MessageButton::Yes};
  window.Check();
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"a.png", "b.png", "config.xml"}));
  // Clean again, the pack is reported once more for what it still offers.
  ASSERT_EQ(view.offered.size(), 2u);
  EXPECT_EQ(view.offered[0].undoTranslate, "&Undo last translate (2 renames)");
  ReportButtons way;
  way.useGeneratedIds = "Use &r- IDs";
  EXPECT_EQ(view.offered[1], way);
  ASSERT_EQ(view.boxes.size(), 4u);
  EXPECT_TRUE(view.boxes[1].text.starts_with("Take back the translate of "));
  EXPECT_TRUE(view.boxes[1].text.ends_with(
      " UTC (2 renames)? Each picture gets its old name back where no file has taken it; no "
      "file is replaced."));
  EXPECT_TRUE(view.boxes[2].text.starts_with("2 renames taken back (the translate of "));
  EXPECT_EQ(view.boxes[2].caption, "Undo translate");
}

// Only a clean pack with no job to offer is told in a message.
TEST_F(MainWindowTest, ACleanPackWithNothingToOfferIsToldInAMessage) {
  TempFolder dir;
  dir.Write("config.xml", FacePack({}));
  view.controls.pathText = dir.str();
  window.Check();
  EXPECT_TRUE(view.offered.empty());
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text,
            dir.str() + ": 0 records, 0 pictures, 0 findings\n\nNothing is wrong with this pack.");
  EXPECT_EQ(view.boxes[0].caption, "Check");
}

// A folder with packs below it: the report over all of them, whose
// buttons are those of the current finding's pack and act on it.
TEST_F(MainWindowTest, ThePacksBelowAFolderAreReportedAndAButtonActsOnTheCurrentPack) {
  TempFolder dir;
  dir.Write("a/config.xml", FacePack({{"gone", "1"}}));
  dir.Write("b/config.xml", FacePack({{"lost", "1"}}));
  view.controls.pathText = dir.str();
  int reports = 0;
  view.onReport = [&reports](CheckReport& report) {
    if (reports++ > 0) return;  // the fresh one after the job: left as it is
    ASSERT_TRUE(report.Model().Scanned());
    ASSERT_EQ(report.Model().Rows(), 3u);  // a's missing, b's missing, the clash
    EXPECT_EQ(report.Model().Cell(2, ReportColumn::Category), "clash");
    report.ShowButtonsOf(1);  // b's finding: the buttons are b's
    EXPECT_EQ(report.ChosenPack(), 1u);
  };
  view.choices = {ReportChoice::UseGeneratedIds};
  view.answers = {MessageButton::Yes, MessageButton::Ok};
  window.Check();
  EXPECT_EQ(dir.Read("a/config.xml"), FacePack({{"gone", "1"}}));
  EXPECT_EQ(dir.Read("b/config.xml"), FacePack({{"lost", "r-1"}}));
  ASSERT_EQ(view.offered.size(), 2u);
  EXPECT_EQ(view.offered[0].useGeneratedIds, "Use &r- IDs");
  EXPECT_EQ(view.boxes[1].text,
            "Convert the 1 record of faces with plain IDs in config.xml to r- IDs? Nothing else "
            "in the file changes.");
}

// The report's update adds records of the kind the report checked: a pack
// below the folder is checked for the kind of its records, not the marked one.
TEST(MainWindowUpdateTest, AddsRecordsOfTheKindThePackWasCheckedFor) {
  TempFolder dir;
  dir.Write(
      "logos/config.xml",
      "<record>\n\t<list id=\"maps\">\n"
      "\t\t<record from=\"1\" to=\"graphics/pictures/club/1/logo\"/>\n\t</list>\n</record>\n");
  dir.Write("logos/1.png", testing::kTinyPng);
  dir.Write("logos/2.png", testing::kTinyPng);
  FakeView view;
  testing::ScriptedPrompter prompter;
  MainWindow window(view, MakeJobEntries(prompter));
  window.Initialise();
  view.controls.pathText = dir.str();
  view.controls.allFilenamesAreIds = true;
  view.onReport = [](CheckReport& report) { report.ShowButtonsOf(0); };
  view.choices = {ReportChoice::AddNew};
  view.answers = {MessageButton::Yes};
  window.Check();
  ASSERT_FALSE(view.offered.empty());
  EXPECT_EQ(view.offered[0].addNew, "&Add 1 new picture");
  EXPECT_NE(dir.Read("logos/config.xml")
                .find("<record from=\"2\" to=\"graphics/pictures/club/2/logo\"/>"),
            std::string::npos);
}

// What may be typed is looser than what Add takes: an empty field or a
// number too large can stand while the user edits it.
TEST(IdFieldTest, TakesDigitsOnlyWhileTyping) {
  for (const char* text : {"", "0", "4294967296", "99999999999999999999999"})
    EXPECT_TRUE(IsIdFieldText(text)) << text;
  for (const char* text : {"-5", "12a", " 1", "\xD9\xA3"})
    EXPECT_FALSE(IsIdFieldText(text)) << text;
  EXPECT_EQ(ParseIdField("4294967295"), 4294967295u);
  EXPECT_EQ(ParseIdField("4294967296"), std::nullopt);
}

// The progress shows after half a second of work with no box up, repaints at
// most every 50 ms, and the time a box is up starts the half second again.
TEST(ProgressPacerTest, ShowsAfterQuietHalfSecondAndRepaintsEvery50Ms) {
  std::int64_t now = 1000;
  ProgressPacer pacer([&] { return now; });
  EXPECT_FALSE(pacer.Report(false).show);  // before Begin
  pacer.Begin();
  struct Row {
    std::int64_t at;
    bool shown;
    bool show;
    bool repaint;
  };
  const Row beforePause[] = {
      {1049, false, false, false}, {1050, false, false, true}, {1060, false, false, false},
      {1499, false, false, true},  {1500, false, true, false}, {1549, true, false, true},
  };
  for (const Row& row : beforePause) {
    now = row.at;
    const ProgressPacer::Step step = pacer.Report(row.shown);
    EXPECT_EQ(step.show, row.show) << row.at;
    EXPECT_EQ(step.repaint, row.repaint) << row.at;
  }
  pacer.Pause();
  pacer.Pause();  // a prompt over a box
  now = 9000;
  EXPECT_FALSE(pacer.Report(false).show);
  pacer.Resume();
  EXPECT_FALSE(pacer.Report(false).show);  // still one up
  pacer.Resume();
  now = 9499;
  EXPECT_FALSE(pacer.Report(false).show);
  now = 9500;
  EXPECT_TRUE(pacer.Report(false).show);
  pacer.End();
  now = 20000;
  const ProgressPacer::Step ended = pacer.Report(false);
  EXPECT_FALSE(ended.show || ended.repaint);
}

TEST(JobEntriesTest, WriterAsksThePrompterAndTranslatorRenames) {
  TempFolder dir;
  dir.Write("a.png");
  testing::FakeHost host;
  testing::ScriptedPrompter prompter;
  prompter.answers = {KitAnswer{77, KitKind::Home}};
  JobEntries jobs = MakeJobEntries(prompter);
  JobSettings s;
  s.folderPath = dir.str();
  jobs.makeMapping(s, host);
  ASSERT_EQ(prompter.calls.size(), 1u);
  EXPECT_EQ(prompter.calls[0].fileName, "a.png");
  EXPECT_NE(dir.Read("config.xml").find("from=\"a\" to=\"graphics/pictures/person/77/"),
            std::string::npos);
  jobs.translate(s, host);
  EXPECT_TRUE(dir.Exists("77.png"));
}

}  // namespace
}  // namespace mapio::ui
