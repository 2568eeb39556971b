// Undo takes a translate back from its journal, a run killed half-way
// included, and never replaces a file: what is not where the journal
// expects it is left and said.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_files.h"
#include "tests/support/temp_folder.h"
#include "tests/translator/translator_fixture.h"
#include "translator/journal.h"
#include "translator/undo.h"

namespace mapio::testing {
namespace {

struct UndoCase {
  const char* title;
  std::optional<std::size_t> killedAfter;  // renames before the translate is stopped
  // What happens to the folder between the translate and the undo.
  std::function<void(const TempFolder&)> meanwhile;
  std::size_t takenBack;
  std::vector<std::string> left;   // "new -> old: why"
  std::vector<std::string> after;  // State() after the undo
  bool journalGone;
};

const std::vector<std::string> kPictures = {"a.png", "B.JPG", "c.gif", "d.png"};
const std::vector<std::string> kBefore = {"B.JPG=B.JPG", "a.png=a.png", "c.gif=c.gif",
                                          "d.png=d.png", "x.png=x.png"};

const UndoCase kCases[] = {
    {"all done", std::nullopt, nullptr, 4, {}, kBefore, true},
    // Its last renames had not reached the journal: the plan tells them, but
    // for the letter case of a name that was found in other case.
    {"half done when it was killed",
     3,
     nullptr,
     3,
     {},
     {"a.png=a.png", "b.jpg=B.JPG", "c.gif=c.gif", "d.png=d.png", "x.png=x.png"},
     true},
    {"a picture changed since",
     std::nullopt,
     [](const TempFolder& d) { std::filesystem::remove(d.path() / "3.gif"); },
     3,
     {"3.gif -> c.gif: gone"},
     {"B.JPG=B.JPG", "a.png=a.png", "d.png=d.png", "x.png=x.png"},
     false},
    {"a name taken since",
     std::nullopt,
     [](const TempFolder& d) { d.Write("a.png", "new a"); },
     3,
     {"1.png -> a.png: taken"},
     {"1.png=a.png", "B.JPG=B.JPG", "a.png=new a", "c.gif=c.gif", "d.png=d.png", "x.png=x.png"},
     false},
};

void PrintTo(const UndoCase& c, std::ostream* os) { *os << c.title; }

class UndoTable : public TranslatorTest, public ::testing::WithParamInterface<UndoCase> {
 protected:
  TempFolder journals;
};

std::string Said(const UndoOutcome::Left& left) {
  const char* why = left.why == UndoOutcome::Left::Why::Gone        ? "gone"
                    : left.why == UndoOutcome::Left::Why::NameTaken ? "taken"
                                                                    : "refused";
  return left.newName + " -> " + left.oldName + ": " + why;
}

TEST_P(UndoTable, TakesBackWhatTheFolderShowsWasDone) {
  const UndoCase& c = GetParam();
  AddFiles(kPictures);
  AddFiles({"x.png"});
  TranslateOptions translate;
  translate.journal.folder = journals.str();
  translate.journal.stopAfterRenamesForTesting = c.killedAfter;
  // c's record is one the pack reads for the line reading: the plan has it
  // in its place all the same.
  dir.Write("config.xml",
            ConfigWith({FaceRecord("a", "1"), FaceRecord("b", "2"), "<record from=\"c\"",
                        " to=\"graphics/pictures/person/r-3/portrait\"/>", FaceRecord("d", "4"),
                        FaceRecord("gone", "5")}));
  TranslateNames(dir.str(), translate);
  if (c.meanwhile) c.meanwhile(dir);

  UndoOptions options;
  options.journalFolder = journals.str();
  const std::string folder = platform::CanonicalFolder(dir.str());
  UndoOutcome dry = UndoTranslate(folder, {true, journals.str()});
  EXPECT_EQ(dry.takenBack, c.takenBack);
  const UndoOutcome outcome = UndoTranslate(folder, options);
  EXPECT_EQ(outcome.result, UndoOutcome::Result::Undone);
  EXPECT_EQ(outcome.takenBack, c.takenBack);
  std::vector<std::string> left;
  for (const auto& l : outcome.left) left.push_back(Said(l));
  EXPECT_EQ(left, c.left);
  EXPECT_EQ(State(), c.after);
  EXPECT_EQ(outcome.journalRemoved, c.journalGone);
  // Nothing more to take back: a second undo finds no journal, or only
  // what it could not do before.
  const UndoOutcome again = UndoTranslate(folder, options);
  EXPECT_EQ(again.result,
            c.journalGone ? UndoOutcome::Result::NoJournal : UndoOutcome::Result::Undone);
  EXPECT_EQ(again.takenBack, 0u);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, UndoTable, ::testing::ValuesIn(kCases));

// Many translates within a second: the newest stays the newest, even where
// the pruning freed a lower number.
TEST_F(TranslatorTest, TranslatesOnRecordComeNewestFirstAndOnlyAFewAreKept) {
  TempFolder journals;
  TranslateOptions translate;
  translate.journal.folder = journals.str();
  const std::size_t runs = translator::kJournalsKept + 2;
  for (std::size_t i = 0; i < runs; ++i) {
    const std::string name = std::string(1, 'a').append(std::to_string(i));
    dir.Write("config.xml", ConfigWith({FaceRecord(name, "1")}));
    std::filesystem::remove(dir.path() / "1.png");
    AddFiles({name + ".png"});
    TranslateNames(dir.str(), translate);
  }
  const std::string folder = platform::CanonicalFolder(dir.str());
  const auto translates = TranslatesOnRecord(folder, journals.str());
  ASSERT_EQ(translates.size(), translator::kJournalsKept);
  for (const TranslateOnRecord& t : translates) {
    EXPECT_EQ(t.renamed, 1u);
    EXPECT_TRUE(t.finished);
  }
  EXPECT_EQ(UndoTranslate(folder, {false, journals.str()}).takenBack, 1u);
  EXPECT_TRUE(std::filesystem::exists(
      dir.path() / std::string(1, 'a').append(std::to_string(runs - 1)).append(".png")));
}

#ifndef _WIN32
TEST(JournalFolder, IsTheUsersDataFolder) {
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string keep = saved ? saved : "";
  setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(translator::JournalFolder(), "/data/mapio/journals");
  setenv("XDG_DATA_HOME", "relative", 1);  // not a place: the default
  EXPECT_EQ(translator::JournalFolder(),
            std::string(std::getenv("HOME")) + "/.local/share/mapio/journals");
  if (saved)
    setenv("XDG_DATA_HOME", keep.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
}
#else
TEST(JournalFolder, IsTheUsersLocalAppData) {
  const char* local = std::getenv("LOCALAPPDATA");
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(translator::JournalFolder(), std::string(local) + "\\Mapio\\journals");
}
#endif

}  // namespace
}  // namespace mapio::testing
