// What each record does to the folder: the three extensions, letter case,
// names that must not leave the folder, the dry run.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/record_template.h"
#include "platform/text.h"
#include "tests/support/hostile_entries.h"
#include "tests/support/ordinary_user.h"
#include "tests/translator/translator_fixture.h"
#include "ui/window_jobs.h"

namespace mapio::testing {
namespace {

using Messages = std::vector<Message>;
using Names = std::vector<std::string>;

struct RenameCase {
  const char* name;
  Names files;
  Names records;
  Names state;  // afterwards, as State() shows it
  Messages messages;
  ObjectKind kind = Faces;
  bool twoCasesAtOnce = false;  // needs a file system that tells case apart
  bool western = false;         // needs names of older tools read as Windows-1252
};

const std::string k99(99, 'f');
// A record with its target after "graphics/pictures/".
std::string Record(const std::string& from, const std::string& target) {
  return "<record from=\"" + from + "\" to=\"graphics/pictures/" + target + "\"/>";
}
const std::string k51(51, '7');

const RenameCase kCases[] = {
    {"png beside jpg: only the png",
     {"x.png", "x.jpg"},
     {FaceRecord("x", "101")},
     {"101.png=x.png", "x.jpg=x.jpg"},
     {Status("x -> 101\n", 1, 1)}},
    {"jpg target taken, no gif",
     {"x.jpg", "101.jpg"},
     {FaceRecord("x", "101")},
     {"101.jpg=101.jpg", "x.jpg=x.jpg"},
     {RenameWarning("x", "101"), Status("", 0, 1)}},
    {"same from twice",
     {"1.png", "1.jpg"},
     {FaceRecord("1", "11"), FaceRecord("1", "12")},
     {"11.png=1.png", "12.jpg=1.jpg"},
     {Status("1 -> 11\n1 - > 12\n", 2, 2)}},
    {"another extension",
     {"x.bmp", "x"},
     {FaceRecord("x", "5")},
     {"x=x", "x.bmp=x.bmp"},
     {RenameWarning("x", "5"), Status("", 0, 1)}},
    {"record of another kind",
     {"x.png"},
     {"<record from=\"x\" to=\"graphics/pictures/nation/5/logo\"/>"},
     {"x.png=x.png"},
     {ParseError(), Status("", 0, 0)}},
    {"club logos read as club logos",
     {"x.png"},
     {"<record from=\"x\" to=\"graphics/pictures/club/5/logo\"/>"},
     {"5.png=x.png"},
     {Status("x -> 5\n", 1, 1)},
     ClubLogos},
    {"kits have no read format",
     {"x.png"},
     {FaceRecord("x", "5")},
     {"x.png=x.png"},
     {{"This line was supposed to never show!", "Error", MessageKind::Warning},
      ParseError(),
      Status("", 0, 0)},
     Kits},
    // A name cannot forge a line of a message: its control characters show.
    {"control characters in a name",
     {},
     {FaceRecord("n&#10;fake -&gt; 99", "5"), FaceRecord("\x1b[31mred", "6")},
     {},
     {RenameWarning("n\\nfake -> 99", "5"), RenameWarning("\\x1b[31mred", "6"), Status("", 0, 2)}},
    {"leading zeros kept",
     {"a.png"},
     {FaceRecord("a", "007")},
     {"007.png=a.png"},
     {Status("a -> 007\n", 1, 1)}},
    {"ID ends at the first non-digit",
     {"a.gif"},
     {FaceRecord("a", "12x")},
     {"12.gif=a.gif"},
     {Status("a - > 12\n", 1, 1)}},
    {"empty from, no digits",
     {".png"},
     {FaceRecord("", "5"), FaceRecord("a", "")},
     {".png=.png"},
     {ParseError(), ParseError(), Status("", 0, 0)}},
    {"longest from and ID",
     {k99 + ".png", "b.png"},
     {FaceRecord(k99, "1"), FaceRecord("b", k51)},
     {"1.png=" + k99 + ".png", k51 + ".png=b.png"},
     {Status(k99 + " -> 1\nb -> " + k51 + "\n", 2, 2)}},
    {"from or ID one too long",
     {k99 + "f.png", "b.png"},
     {FaceRecord(k99 + "f", "1"), FaceRecord("b", k51 + "7")},
     {"b.png=b.png", k99 + "f.png=" + k99 + "f.png"},
     {ParseError(), ParseError(), Status("", 0, 0)}},
    // Letter case, as Windows would find the files.
    {"other case",
     {"ABC.PNG"},
     {FaceRecord("abc", "1")},
     {"1.png=ABC.PNG"},
     {Status("abc -> 1\n", 1, 1)}},
    {"per extension: exact, then case",
     {"ABC.JPG", "abc.gif"},
     {FaceRecord("abc", "1")},
     {"1.jpg=ABC.JPG", "abc.gif=abc.gif"},
     {Status("abc - > 1\n", 1, 1)}},
    {"other case, not ASCII",
     {"\xC3\xA9T\xC3\xA9.PNG"},
     {FaceRecord("\xC3\xA9t\xC3\xA9", "1")},
     {"1.png=\xC3\xA9T\xC3\xA9.PNG"},
     {Status("\xC3\xA9t\xC3\xA9 -> 1\n", 1, 1)}},
    {"two case variants: neither",
     {"Abc.png", "aBC.png", "abc.jpg"},
     {FaceRecord("abc", "1")},
     {"Abc.png=Abc.png", "aBC.png=aBC.png", "abc.jpg=abc.jpg"},
     {RenameWarning("abc", "1"), Status("", 0, 1)},
     Faces,
     true},
    {"index follows the renames",
     {"X.png", "x.PNG"},
     {FaceRecord("q", "9"), FaceRecord("X", "1"), FaceRecord("x", "2")},
     {"1.png=X.png", "2.png=x.PNG"},
     {RenameWarning("q", "9"), Status("X -> 1\nx -> 2\n", 2, 3)},
     Faces,
     true},
    {"index learns the new names",
     {"a.png"},
     {FaceRecord("q", "9"), FaceRecord("a", "5"), FaceRecord("5", "6")},
     {"6.png=a.png"},
     {RenameWarning("q", "9"), Status("a -> 5\n5 -> 6\n", 2, 3)}},
    {"target taken in another case",
     {"ABC.png", "1.PNG", "ABC.jpg"},
     {FaceRecord("abc", "1")},
     {"1.PNG=1.PNG", "1.jpg=ABC.jpg", "ABC.png=ABC.png"},
     {Status("abc - > 1\n", 1, 1)}},
    {"exact name, target taken in another case",
     {"a.png", "101.PNG", "a.gif"},
     {FaceRecord("a", "101")},
     {"101.PNG=101.PNG", "101.gif=a.gif", "a.png=a.png"},
     {Status("a - > 101\n", 1, 1)}},
    // Names in every script: as the make job writes them on every system,
    // and as older Windows tools wrote them in their code page.
    {"names in UTF-8",
     {"M\xC3\xBCller.png", "\xC5\x81ukasz.jpg", "\xC4\x90okovi\xC4\x87.gif",
      "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2.png", "\xE6\x9D\x8E.png",
      "\xF0\x9F\x98\x80.png"},
     {FaceRecord("m\xC3\xBCller", "1"), FaceRecord("\xC5\x82ukasz", "2"),
      FaceRecord("\xC4\x91okovi\xC4\x87", "3"),
      FaceRecord("\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2", "4"),
      FaceRecord("\xE6\x9D\x8E", "5"), FaceRecord("\xF0\x9F\x98\x80", "6")},
     {"1.png=M\xC3\xBCller.png", "2.jpg=\xC5\x81ukasz.jpg", "3.gif=\xC4\x90okovi\xC4\x87.gif",
      "4.png=\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2.png", "5.png=\xE6\x9D\x8E.png",
      "6.png=\xF0\x9F\x98\x80.png"},
     {Status("m\xC3\xBCller -> 1\n"
             "\xC5\x82ukasz - > 2\n"
             "\xC4\x91okovi\xC4\x87 - > 3\n"
             "\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2 -> 4\n"
             "\xE6\x9D\x8E -> 5\n"
             "\xF0\x9F\x98\x80 -> 6\n",
             6, 6)}},
    {"names in Windows-1252",
     {"M\xC3\xBCller.png", "Jos\xC3\xA9.png"},
     {FaceRecord("m\xFCller", "1"), FaceRecord("jos\xE9", "2")},
     {"1.png=M\xC3\xBCller.png", "2.png=Jos\xC3\xA9.png"},
     {Status("m\xC3\xBCller -> 1\njos\xC3\xA9 -> 2\n", 2, 2)},
     Faces,
     false,
     true},
    {"99 characters, not bytes",
     {std::string(98, 'a') + "\xC3\xA9.png"},
     {FaceRecord(std::string(98, 'a') + "\xC3\xA9", "1"),
      FaceRecord(std::string(99, 'a') + "\xC3\xA9", "2")},
     {"1.png=" + std::string(98, 'a') + "\xC3\xA9.png"},
     {ParseError(), Status(std::string(98, 'a') + "\xC3\xA9 -> 1\n", 1, 1)}},
    // Records the line reading cannot take, as the pack reads them: each
    // picture renamed to the number of its ID.
    {"r- IDs",
     {"a.png", "b.jpg", "c.gif"},
     {Record("a", "person/r-2000123/portrait"), FaceRecord("b", "7"),
      Record("c", "person/r-12/portrait") + " <!-- a comment after it -->"},
     {"12.gif=c.gif", "2000123.png=a.png", "7.jpg=b.jpg"},
     {Status("a -> 2000123\nb - > 7\nc - > 12\n", 3, 3)}},
    {"nations under team/, small logos, another kind",
     {"t.png", "i.png", "r.png", "k.png"},
     {Record("t", "team/5/logo"), Record("i", "nation/6/icon"), Record("r", "team/r-7/icon"),
      Record("k", "club/8/logo")},
     {"5.png=t.png", "6.png=i.png", "7.png=r.png", "k.png=k.png"},
     {ParseError(), Status("t -> 5\ni -> 6\nr -> 7\n", 3, 3)},
     NationLogos},
    {"club icons",
     {"c.png"},
     {Record("c", "club/r-9/icon"), Record("x", "comp/9/icon")},
     {"9.png=c.png"},
     {ParseError(), Status("c -> 9\n", 1, 1)},
     ClubLogos},
    {"competition icons",
     {"c.png"},
     {Record("c", "comp/3/icon")},
     {"3.png=c.png"},
     {Status("c -> 3\n", 1, 1)},
     CompetitionLogos},
    {"backgrounds with r-",
     {"s.jpg"},
     {"<record from=\"s\" to=\"graphics/backgrounds/stadium/r-4\"/>"},
     {"4.jpg=s.jpg"},
     {Status("s - > 4\n", 1, 1)},
     StadiumBackgrounds},
    {"default backgrounds are faces",
     {"d.png"},
     {Record("d", "person/r-4/portrait")},
     {"4.png=d.png"},
     {Status("d -> 4\n", 1, 1)},
     DefaultBackgrounds},
    {"attributes in another order, quotes and spacing",
     {"a.png", "b.png", "c.png", "d.png"},
     {"<record to=\"graphics/pictures/person/1/portrait\" from=\"a\"/>",
      "<record from='b' to='graphics/pictures/person/2/portrait' />",
      "<record filter=\"x\" from=\"c\" to=\"graphics/pictures/person/3/portrait\"/>",
      "<record\tfrom = \"d\"  to=\"graphics/pictures/person/4/portrait\"></record>"},
     {"1.png=a.png", "2.png=b.png", "3.png=c.png", "4.png=d.png"},
     {Status("a -> 1\nb -> 2\nc -> 3\nd -> 4\n", 4, 4)}},
    {"a record over two lines, two records on one line",
     {"m.png", "x.png", "y.png"},
     {"<record from=\"m\"", "  to=\"graphics/pictures/person/r-1/portrait\"/>",
      Record("x", "person/r-2/portrait") + Record("y", "person/r-3/portrait")},
     {"1.png=m.png", "2.png=x.png", "3.png=y.png"},
     {Status("m -> 1\nx -> 2\ny -> 3\n", 3, 3)}},
    {"the pack's records keep to the folder and the fields",
     {"x.png", k99 + "f.png"},
     {Record("../x", "person/r-1/portrait"), Record("sub/x", "person/r-2/portrait"),
      Record(k99 + "f", "person/r-3/portrait"), Record("x", "person/r-" + k51 + "7/portrait"),
      Record("x", "nation/r-5/logo")},
     {k99 + "f.png=" + k99 + "f.png", "x.png=x.png"},
     {ParseError(), ParseError(), ParseError(), ParseError(), ParseError(), Status("", 0, 0)}},
    {"kits still have none",
     {"x.png"},
     {Record("x", "team/r-5/kits/home")},
     {"x.png=x.png"},
     {{"This line was supposed to never show!", "Error", MessageKind::Warning},
      ParseError(),
      Status("", 0, 0)},
     Kits},
    // Names that would reach outside the folder or past the name.
    {"unsafe from values",
     {"..png", "...png", "a", "sub/x.png"},
     {FaceRecord(".", "1"), FaceRecord("..", "2"), FaceRecord(std::string("a\0b", 3), "3"),
      FaceRecord("sub/x", "4"), FaceRecord("/x", "5")},
     {"...png=...png", "..png=..png", "a=a", "sub/"},
     {ParseError(), ParseError(), ParseError(), ParseError(), ParseError(), Status("", 0, 0)}},
};

void PrintTo(const RenameCase& c, std::ostream* os) { *os << c.name; }

class RenameRules : public TranslatorTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(RenameRules, Apply) {
  const RenameCase& c = GetParam();
  if (c.twoCasesAtOnce && FolderIgnoresCase()) GTEST_SKIP() << "the file system ignores case";
  if (c.western && platform::LegacyNameToUtf8("\xFC") != "\xC3\xBC")
    GTEST_SKIP() << "the system's code page is not Windows-1252";
  AddFiles(c.files);
  EXPECT_EQ(Run(ConfigWith(c.records), c.kind), c.messages);
  EXPECT_EQ(State(), c.state);
}

INSTANTIATE_TEST_SUITE_P(Records, RenameRules, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// A config.xml that tries to rename files of a neighbouring folder, by
// relative and absolute paths, changes nothing there.
TEST(HostileConfig, LeavesEverythingOutsideTheFolderAlone) {
  TempFolder root;
  root.Write("outside/x.png", "x bytes");
  root.Write("outside/y.jpg", "y bytes");
  root.Write("work/z.png", "z");
  const std::string outside = (root.path() / "outside" / "x").string();
  root.Write("work/config.xml",
             ConfigWith({FaceRecord("../outside/x", "1"), FaceRecord("../outside/y", "2"),
                         FaceRecord("..\\outside\\x", "3"), FaceRecord(outside, "4"),
                         FaceRecord("../work/../outside/x", "5"), FaceRecord("..", "6")}));
  FakeHost host;
  JobSettings settings;
  settings.folderPath = (root.path() / "work").string();
  TranslateFileNames(settings, host);

  EXPECT_EQ(root.List(), (Names{"outside", "work"}));
  EXPECT_EQ(root.List("outside"), (Names{"x.png", "y.jpg"}));
  EXPECT_EQ(root.Read("outside/x.png"), "x bytes");
  EXPECT_EQ(root.Read("outside/y.jpg"), "y bytes");
  EXPECT_EQ(root.List("work"), (Names{"config.xml", "z.png"}));
  EXPECT_EQ(host.messages.back().text.rfind("ZARRO files renamed!", 0), 0u);
}

// A dry run reports what the real run then does, message for message, and
// sees its own earlier renames; it changes nothing itself.
TEST_F(TranslatorTest, DryRunForetellsTheRealRun) {
  AddFiles({"a.png", "1.png", "1.jpg", "q.gif"});
  const std::string config =
      ConfigWith({FaceRecord("a", "101"), FaceRecord("101", "202"), FaceRecord("1", "11"),
                  FaceRecord("1", "12"), FaceRecord("1", "13"), FaceRecord("q", "8")});
  const Names before = State();
  std::vector<std::pair<std::string, std::string>> foretold, done;
  const Messages dryMessages =
      Run(config, Faces, true,
          [&](const std::string& f, const std::string& t) { foretold.emplace_back(f, t); });
  EXPECT_EQ(State(), before);

  EXPECT_EQ(RunAgain(Faces, false,
                     [&](const std::string& f, const std::string& t) { done.emplace_back(f, t); }),
            dryMessages);
  EXPECT_EQ(foretold, done);
  EXPECT_EQ(done, (std::vector<std::pair<std::string, std::string>>{{"a.png", "101.png"},
                                                                    {"101.png", "202.png"},
                                                                    {"1.png", "11.png"},
                                                                    {"1.jpg", "12.jpg"},
                                                                    {"q.gif", "8.gif"}}));
  EXPECT_EQ(State(), (Names{"11.png=1.png", "12.jpg=1.jpg", "202.png=a.png", "8.gif=q.gif"}));
}

// So many renames after a second listing that the index grows while it
// follows them: the new names are found, the names renamed away are not.
TEST_F(TranslatorTest, IndexGrowsWhileFollowingRenames) {
  constexpr int kFiles = 40;
  const auto name = [](const char* letter, int i) {
    return std::string(letter).append(std::to_string(i));
  };
  Names files, state{"200.png=P0.png"};
  std::vector<std::string> records{FaceRecord("p0", "100"), FaceRecord("100", "200")};
  std::string lines = "p0 -> 100\n100 -> 200\n";
  for (int i = 1; i < kFiles; ++i) {
    records.push_back(FaceRecord(name("p", i), std::to_string(100 + i)));
    lines += name("p", i) + " -> " + std::to_string(100 + i) + "\n";
  }
  for (int i = 0; i < kFiles; ++i) {
    files.push_back(name("P", i) + ".png");
    if (i == 0) continue;
    records.push_back(FaceRecord(std::to_string(100 + i), std::to_string(300 + i)));
    lines += std::to_string(100 + i) + " -> " + std::to_string(300 + i) + "\n";
    state.push_back(std::to_string(300 + i) + ".png=" + files.back());
  }
  records.push_back(FaceRecord("p1", "9"));
  AddFiles(files);
  EXPECT_EQ(Run(ConfigWith(records)),
            (Messages{RenameWarning("p1", "9"), Status(lines, 2 * kFiles, 2 * kFiles + 1)}));
  std::sort(state.begin(), state.end());
  EXPECT_EQ(State(), state);
}

#ifndef _WIN32
// A folder that may be searched but not listed: no name is found by its
// case, and every record still has its exact names tried, in a dry run too.
TEST_F(TranslatorTest, FolderThatCannotBeListedStillTriesExactNames) {
  for (const bool dryRun : {true, false}) {
    SCOPED_TRACE(dryRun);
    AddFiles({"b.png", "c.png", "D.png"});
    dir.Write("config.xml", ConfigWith({FaceRecord("b", "2"), FaceRecord("a", "1"),
                                        FaceRecord("c", "3"), FaceRecord("d", "4")}));
    const Names before = State();
    Messages messages;
    {
      OrdinaryUser user(dir.path());
      std::filesystem::permissions(
          dir.path(), std::filesystem::perms::owner_write | std::filesystem::perms::owner_exec);
      messages = RunAgain(Faces, dryRun);
      std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(messages, (Messages{RenameWarning("a", "1"), RenameWarning("d", "4"),
                                  Status("b -> 2\nc -> 3\n", 2, 4)}));
    const Names after{"2.png=b.png", "3.png=c.png", "D.png=D.png"};
    EXPECT_EQ(State(), dryRun ? before : after);
  }
}
#endif

#ifndef _WIN32
// A record that names a FIFO, a device, or a link out of the pack or to
// nothing renames nothing, in a dry run too: the entry is passed over and
// named. A link to a picture inside the pack is renamed as the picture.
TEST(TranslateEntries, ThatAreNoFilesOfThePackArePassedOver) {
  for (const bool dryRun : {true, false}) {
    SCOPED_TRACE(dryRun);
    TempFolder outer;
    const std::string pack = MakeHostilePack(outer);
    std::vector<std::string> records;
    // The link first: once 0.png is renamed, it leads nowhere.
    for (const char* n : {"5", "0", "1", "2", "3", "4"})
      records.push_back(FaceRecord(n, std::string("1") + n));
    outer.Write("pack/config.xml", ConfigWith(records));
    FakeHost host;
    JobSettings settings;
    settings.folderPath = pack;
    settings.objectKind = Faces;
    translator::TranslateOptions options;
    options.dryRun = dryRun;
    TranslateFileNames(settings, host, options);
    const Message passedOver{
        "These were passed over: they are no files of the folder (a FIFO, a device, or a link that "
        "leads out of the folder or to nothing), so they were not renamed:\n1.png\n2.png\n3.png\n"
        "4.png",
        "Error", MessageKind::Warning};
    EXPECT_EQ(host.messages, (Messages{RenameWarning("1", "11"), RenameWarning("2", "12"),
                                       RenameWarning("3", "13"), RenameWarning("4", "14"),
                                       passedOver, Status("5 -> 15\n0 -> 10\n", 2, 6)}));
    const Names renamed{"1.png", "10.png", "15.png", "2.png", "3.png", "4.png", "config.xml"};
    const Names kept{"0.png", "1.png", "2.png", "3.png", "4.png", "5.png", "config.xml"};
    EXPECT_EQ(outer.List("pack"), dryRun ? kept : renamed);
  }
}
#endif

// What the make job writes, the translate job reads, for every kind it can.
TEST_F(TranslatorTest, ReadsWhatTheMakeJobWrites) {
  // Every kind, and no kind marked at all, which is taken as faces.
  std::vector<std::optional<ObjectKind>> kinds(kAllKinds.begin(), kAllKinds.end());
  kinds.push_back(std::nullopt);
  for (const std::optional<ObjectKind> kind : kinds) {
    if (kind == Kits) continue;
    SCOPED_TRACE(kind ? static_cast<int>(*kind) : -1);
    for (const auto& name : dir.List()) std::filesystem::remove(dir.path() / name);
    AddFiles({"alice.png", "Bob.JPG", "carl.gif", "notes.txt"});
    ScriptedPrompter prompter;
    prompter.answers = {KitAnswer{1}, KitAnswer{2}, KitAnswer{3}, std::nullopt};
    JobSettings settings;
    settings.folderPath = dir.str();
    settings.objectKind = kind;
    MakeMappingFile(settings, host, prompter);
    ASSERT_EQ(prompter.calls.size(), 4u);

    const Messages messages = RunAgain(kind);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("\nRenamed 3 of 3 files."), std::string::npos);
    EXPECT_EQ(State(),
              (Names{"1.png=alice.png", "2.jpg=Bob.JPG", "3.gif=carl.gif", "notes.txt=notes.txt"}));
  }
}

}  // namespace
}  // namespace mapio::testing
