// Undo takes a translate back from its journal, a run killed at any point
// included, name for name as the folder was; it never renames a file the
// translate did not rename, never replaces one, never runs beside a
// translate of the folder, and says why it left each name it left.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/user_files.h"
#include "tests/support/temp_folder.h"
#include "tests/translator/translator_fixture.h"
#include "translator/journal.h"
#include "translator/undo.h"
#include "translator/undo_folder.h"
#include "translator/undo_texts.h"

namespace mapio::testing {
namespace {

namespace fs = std::filesystem;
using Why = translator::UndoOutcome::Left::Why;

translator::UndoOptions InFolder(const TempFolder& journals, bool dryRun = false) {
  translator::UndoOptions options;
  options.journalFolder = journals.str();
  options.dryRun = dryRun;
  return options;
}

std::string Said(const translator::UndoOutcome::Left& left) {
  const char* why = left.why == Why::Gone        ? "gone"
                    : left.why == Why::NameTaken ? "taken"
                    : left.why == Why::OtherFile ? "other"
                    : left.why == Why::Unsafe    ? "unsafe"
                                                 : "refused";
  return left.newName + " -> " + left.oldName + ": " + why;
}

struct UndoCase {
  const char* title;
  // Where the translate is stopped as if killed: after this many renames,
  // or with the next rename written down but not made.
  std::optional<std::size_t> killedAfter;
  std::optional<std::size_t> killedBefore;
  // What happens to the folder between the translate and the undo.
  std::function<void(const TempFolder&)> meanwhile;
  std::size_t takenBack;
  std::vector<std::string> left;   // as Said() tells them
  std::vector<std::string> after;  // State() after the undo
  bool journalGone;
};

const std::vector<std::string> kBefore = {"B.JPG=B.JPG", "a.png=a.png", "c.gif=c.gif",
                                          "d.png=d.png", "x.png=x.png"};

// Another file under a name, made before the old one goes: it cannot have
// the old one's identity.
void Replace(const TempFolder& d, const std::string& name, const std::string& bytes) {
  d.Write(name + ".new", bytes);
  fs::rename(d.path() / (name + ".new"), d.path() / name);
}

const UndoCase kCases[] = {
    {"all done", std::nullopt, std::nullopt, nullptr, 4, {}, kBefore, true},
    {"killed after three renames", 3, std::nullopt, nullptr, 3, {}, kBefore, true},
    {"killed with a rename written down, not made", std::nullopt, 1, nullptr, 1, {}, kBefore, true},
    {"a picture gone since",
     std::nullopt,
     std::nullopt,
     [](const TempFolder& d) { fs::remove(d.path() / "3.gif"); },
     3,
     {"3.gif -> c.gif: gone"},
     {"B.JPG=B.JPG", "a.png=a.png", "d.png=d.png", "x.png=x.png"},
     false},
    {"another picture under its new name",
     std::nullopt,
     std::nullopt,
     [](const TempFolder& d) { Replace(d, "3.gif", "other"); },
     3,
     {"3.gif -> c.gif: other"},
     {"3.gif=other", "B.JPG=B.JPG", "a.png=a.png", "d.png=d.png", "x.png=x.png"},
     false},
    {"its old name taken since",
     std::nullopt,
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

TEST_P(UndoTable, TakesBackWhatTheTranslateDidAndIsStillSo) {
  const UndoCase& c = GetParam();
  AddFiles({"a.png", "B.JPG", "c.gif", "d.png", "x.png"});
  translator::TranslateOptions translate;
  translate.journal.folder = journals.str();
  translate.journal.stopAfterRenamesForTesting = c.killedAfter;
  translate.journal.stopBeforeRenameForTesting = c.killedBefore;
  // c's record is one the pack reads for the line reading.
  dir.Write("config.xml",
            ConfigWith({FaceRecord("a", "1"), FaceRecord("b", "2"), "<record from=\"c\"",
                        " to=\"graphics/pictures/person/r-3/portrait\"/>", FaceRecord("d", "4"),
                        FaceRecord("gone", "5")}));
  translator::TranslateNames(dir.str(), translate);
  if (c.meanwhile) c.meanwhile(dir);

  const std::string folder = platform::CanonicalFolder(dir.str());
  EXPECT_EQ(translator::UndoTranslate(folder, InFolder(journals, true)).takenBack, c.takenBack);
  const translator::UndoOutcome outcome = translator::UndoTranslate(folder, InFolder(journals));
  EXPECT_EQ(outcome.result, translator::UndoOutcome::Result::Undone);
  EXPECT_EQ(outcome.takenBack, c.takenBack);
  std::vector<std::string> left;
  for (const auto& l : outcome.left) left.push_back(Said(l));
  EXPECT_EQ(left, c.left);
  EXPECT_EQ(State(), c.after);
  EXPECT_EQ(outcome.journalRemoved, c.journalGone);
  // Nothing more to take back: a second undo finds no journal, or only
  // what it could not do before.
  const translator::UndoOutcome again = translator::UndoTranslate(folder, InFolder(journals));
  EXPECT_EQ(again.result, c.journalGone ? translator::UndoOutcome::Result::NoJournal
                                        : translator::UndoOutcome::Result::Undone);
  EXPECT_EQ(again.takenBack, 0u);
  EXPECT_EQ(again.left.size(), c.left.size());
}

INSTANTIATE_TEST_SUITE_P(Outcomes, UndoTable, ::testing::ValuesIn(kCases));

// Killed after any rename, or with a rename written down but not made,
// the folder comes back exactly as it was, letter case and all; 7.png and
// 99999.png were there before, and no rename of this translate made them.
TEST_F(TranslatorTest, AfterAKillAnywhereTheFolderComesBackExactly) {
  AddFiles({"Up.PNG", "a.png", "m.png", "7.png", "b.jpg", "99999.png"});
  dir.Write("config.xml",
            ConfigWith({FaceRecord("up", "1"), FaceRecord("a", "5"), FaceRecord("m", "7"),
                        FaceRecord("5", "9"), FaceRecord("b", "2"), FaceRecord("messi", "99999")}));
  const std::vector<std::string> before = State();
  const std::string folder = platform::CanonicalFolder(dir.str());
  for (const bool renameWritten : {false, true}) {
    for (std::size_t renames = 0; renames <= 4; ++renames) {
      SCOPED_TRACE((renameWritten ? "written, not made, after " : "after ") +
                   std::to_string(renames));
      TempFolder journals;
      translator::TranslateOptions translate;
      translate.journal.folder = journals.str();
      (renameWritten ? translate.journal.stopBeforeRenameForTesting
                     : translate.journal.stopAfterRenamesForTesting) = renames;
      translator::TranslateNames(dir.str(), translate);
      const translator::UndoOutcome outcome = translator::UndoTranslate(folder, InFolder(journals));
      EXPECT_EQ(State(), before);
      EXPECT_TRUE(outcome.left.empty());
      EXPECT_TRUE(outcome.journalRemoved);
    }
  }
}

// A journal changed by hand cannot lead undo out of the folder, and says
// so in words of its own.
TEST_F(TranslatorTest, UndoRefusesAnOldNameThatWouldLeaveTheFolder) {
  TempFolder journals;
  const std::string name = JournalOfOneRename(journals);
  std::string text = journals.Read(name);
  text.replace(text.find("\ta.png\t"), 7, "\t../a.png\t");
  journals.Write(name, text);
  const translator::UndoOutcome outcome =
      translator::UndoTranslate(platform::CanonicalFolder(dir.str()), InFolder(journals));
  ASSERT_EQ(outcome.left.size(), 1u);
  EXPECT_EQ(Said(outcome.left[0]), "1.png -> ../a.png: unsafe");
  EXPECT_EQ(State(), (std::vector<std::string>{"1.png=a.png"}));
}

// While a translate of the folder runs, an undo of it changes nothing, and
// while an undo runs, a translate; each takes the folder's lock.
TEST_F(TranslatorTest, TranslateAndUndoOfAFolderNeverRunTogether) {
  TempFolder journals;
  AddFiles({"a.png", "b.png"});
  dir.Write("config.xml", ConfigWith({FaceRecord("a", "1"), FaceRecord("b", "2")}));
  const std::string folder = platform::CanonicalFolder(dir.str());
  translator::TranslateOptions translate;
  translate.journal.folder = journals.str();
  std::vector<translator::UndoOutcome::Result> undos;
  translate.journal.afterRenameForTesting = [&](std::size_t) {
    undos.push_back(translator::UndoTranslate(folder, InFolder(journals)).result);
  };
  EXPECT_EQ(translator::TranslateNames(dir.str(), translate).renamed, 2);
  EXPECT_EQ(undos, std::vector(2, translator::UndoOutcome::Result::TranslateRunning));
  EXPECT_EQ(State(), (std::vector<std::string>{"1.png=a.png", "2.png=b.png"}));

  std::optional<translator::TranslateOutcome> during;
  translator::UndoOptions undo = InFolder(journals);
  undo.whileRunningForTesting = [&] { during = translator::TranslateNames(dir.str(), {}); };
  EXPECT_EQ(translator::UndoTranslate(folder, undo).takenBack, 2u);
  ASSERT_TRUE(during);
  EXPECT_EQ(during->result, translator::TranslateOutcome::Result::Busy);
  EXPECT_EQ(State(), (std::vector<std::string>{"a.png=a.png", "b.png=b.png"}));
}

// Undo's table of the folder's names follows its renames: each name is
// found under its new name with its identity, and no longer under the old,
// however the names crowd its slots.
TEST(UndoFolder, FollowsItsRenames) {
  TempFolder d;
  constexpr int kNames = 300;
  // Appended, not `"p" + ...`: GCC 12 warns falsely (-Wrestrict) on that.
  const auto name = [](std::string_view start, int i) {
    return std::string(start).append(std::to_string(i)).append(".png");
  };
  for (int i = 0; i < kNames; ++i) d.Write(name("", i));
  translator::UndoFolder folder(d.str(), kNames);
  std::vector<std::optional<platform::FileIdentity>> identities;
  for (int i = 0; i < kNames; ++i) identities.push_back(folder.Find(name("", i)).identity);
  for (int i = 0; i < kNames; i += 2) folder.Renamed(name("", i), name("p", i));
  for (int i = 0; i < kNames; ++i) {
    const auto now = folder.Find(name("", i));
    const auto renamed = folder.Find(name("p", i));
    EXPECT_EQ(now.there, i % 2 == 1) << i;
    EXPECT_EQ(renamed.there, i % 2 == 0) << i;
    EXPECT_EQ((i % 2 == 0 ? renamed : now).identity, identities[i]) << i;
  }
}

TEST(UndoTexts, EachReasonInWordsOfItsOwnNamesShownEscaped) {
  translator::UndoOutcome o;
  o.left = {{"1.png", "a.png", Why::Gone},
            {"2.png", "b\n.png", Why::NameTaken},
            {"3.png", "c.png", Why::OtherFile},
            {"4.png", "../d.png", Why::Unsafe},
            {"5.png", "e.png", Why::RenameFailed}};
  EXPECT_EQ(translator::LeftText(o),
            "5 left as they are:\n"
            "  1.png -> a.png: 1.png is no longer there\n"
            "  2.png -> b\\n.png: b\\n.png is there again\n"
            "  3.png -> c.png: 3.png is another file than the one the translate renamed\n"
            "  4.png -> ../d.png: ../d.png would be no file of this folder\n"
            "  5.png -> e.png: the system refused the rename");
  EXPECT_EQ(translator::UndoFailureText(translator::UndoOutcome::Result::TranslateRunning),
            "a translate of this folder is running");
  EXPECT_EQ(translator::UndoFailureText(translator::UndoOutcome::Result::JournalNotAFile),
            "the journal of its latest translate is a link or no file: it is not read");
}

#ifndef _WIN32
// A link in a journal's place is never read or written through.
TEST_F(TranslatorTest, UndoRefusesAJournalThatIsALink) {
  TempFolder journals;
  TempFolder elsewhere;
  const std::string name = JournalOfOneRename(journals);
  fs::rename(journals.path() / name, elsewhere.path() / "journal");
  fs::create_symlink(elsewhere.path() / "journal", journals.path() / name);
  const std::string kept = elsewhere.Read("journal");
  const translator::UndoOutcome outcome =
      translator::UndoTranslate(platform::CanonicalFolder(dir.str()), InFolder(journals));
  EXPECT_EQ(outcome.result, translator::UndoOutcome::Result::JournalNotAFile);
  EXPECT_EQ(State(), (std::vector<std::string>{"1.png=a.png"}));
  EXPECT_EQ(elsewhere.Read("journal"), kept);
}
#endif

// Many translates within a second: the newest stays the newest, even where
// the pruning freed a lower number.
TEST_F(TranslatorTest, TranslatesOnRecordComeNewestFirstAndOnlyAFewAreKept) {
  TempFolder journals;
  translator::TranslateOptions translate;
  translate.journal.folder = journals.str();
  const std::size_t runs = translator::kJournalsKept + 2;
  for (std::size_t i = 0; i < runs; ++i) {
    const std::string name = std::string(1, 'a').append(std::to_string(i));
    dir.Write("config.xml", ConfigWith({FaceRecord(name, "1")}));
    fs::remove(dir.path() / "1.png");
    AddFiles({name + ".png"});
    translator::TranslateNames(dir.str(), translate);
  }
  const std::string folder = platform::CanonicalFolder(dir.str());
  const auto translates = translator::TranslatesOnRecord(folder, journals.str());
  ASSERT_EQ(translates.size(), translator::kJournalsKept);
  for (const translator::TranslateOnRecord& t : translates) {
    EXPECT_EQ(t.renamed, 1u);
    EXPECT_TRUE(t.finished);
  }
  EXPECT_EQ(translator::UndoTranslate(folder, InFolder(journals)).takenBack, 1u);
  EXPECT_TRUE(
      fs::exists(dir.path() / std::string(1, 'a').append(std::to_string(runs - 1)).append(".png")));
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
