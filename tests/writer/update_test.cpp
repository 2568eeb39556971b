// The update job: new pictures gain records just before </list>, pruned
// records lose their lines, and every other byte stays as it was.
#include <filesystem>

#include "platform/files.h"
#include "ui/window_jobs.h"
#include "tests/writer/writer_fixture.h"
#include "ui/window_jobs.h"

namespace mapio::testing {
namespace {

// A hand-made file: a declaration, comments, records out of order, a
// record of another tool, CR LF line ends.
constexpr std::string_view kHandMade =
    "<?xml version=\"1.0\"?>\r\n"
    "<record>\r\n"
    "\t<!-- my pack, v2 -->\r\n"
    "\t<list id=\"maps\">\r\n"
    "\t\t<record from=\"20\" to=\"graphics/pictures/person/20/portrait\"/>\r\n"
    "\t\t<!-- gone: -->\r\n"
    "\t\t<record to=\"graphics/pictures/person/7/portrait\" from=\"old\"/>\r\n"
    "\t\t<record from=\"10\" to=\"graphics/pictures/person/10/portrait\"/>\r\n"
    "\t</list>\r\n"
    "</record>";

struct UpdateCase {
  const char* what;
  std::vector<std::string> pictures;
  bool prune;
  bool idsFromNames;
  std::string before;
  std::optional<std::string> after;  // nullopt: the file is not rewritten
  std::string summary;
  std::vector<std::string> counters;  // of the prompts, in order
};

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

const std::string kNewLines =
    "\t\t<record from=\"15\" to=\"graphics/pictures/person/15/portrait\"/>\r\n"
    "\t\t<record from=\"30\" to=\"graphics/pictures/person/30/portrait\"/>\r\n";
const std::string kOldLine =
    "\t\t<record to=\"graphics/pictures/person/7/portrait\" from=\"old\"/>\r\n";

const UpdateCase kCases[] = {
    {"new pictures go before </list>, CR LF kept",
     {"10.png", "15.png", "20.jpg", "30.gif"},
     false,
     true,
     std::string(kHandMade),
     Replace(std::string(kHandMade), "\t</list>", kNewLines + "\t</list>"),
     "Success! 2 files added in XML file!\n3 records kept, 0 removed.",
     {}},
    {"pruning removes only the record whose picture is gone",
     {"10.png", "20.png"},
     true,
     true,
     std::string(kHandMade),
     Replace(std::string(kHandMade), kOldLine, ""),
     "Success! 0 files added in XML file!\n2 records kept, 1 removed:\nline 7: old",
     {}},
    {"both at once",
     {"10.png", "15.png", "20.jpg", "30.gif"},
     true,
     true,
     std::string(kHandMade),
     Replace(Replace(std::string(kHandMade), kOldLine, ""), "\t</list>", kNewLines + "\t</list>"),
     "Success! 2 files added in XML file!\n2 records kept, 1 removed:\nline 7: old",
     {}},
    {"nothing new: the file is not touched",
     {"10.png", "20.png", "old.png"},
     true,
     true,
     std::string(kHandMade),
     std::nullopt,
     "Success! 0 files added in XML file!\n3 records kept, 0 removed.",
     {}},
    {"a translated folder and names in other case are not new",
     {"10.png", "20.png", "7.png", "OLD.PNG"},
     false,
     true,
     std::string(kHandMade),
     std::nullopt,
     "Success! 0 files added in XML file!\n3 records kept, 0 removed.",
     {}},
    {"prompts ask only for the new pictures, counting them",
     {"10.png", "20.png", "a.png", "b.png", "c.png", "old.png"},
     false,
     false,
     std::string(kHandMade),
     Replace(std::string(kHandMade), "\t</list>",
             "\t\t<record from=\"a\" to=\"graphics/pictures/person/5/portrait\"/>\r\n"
             "\t\t<record from=\"c\" to=\"graphics/pictures/person/6/portrait\"/>\r\n\t</list>"),
     "Success! 2 files added in XML file!\n3 records kept, 0 removed.",
     {"0/3", "1/3", "1/2"}},
    {"</list> after a record on its line, LF",
     {"1.png", "2.png"},
     false,
     true,
     "<record><list id=\"maps\"><record from=\"1\" to=\"graphics/pictures/person/1/portrait\"/>"
     "</list></record>",
     "<record><list id=\"maps\"><record from=\"1\" to=\"graphics/pictures/person/1/portrait\"/>\n"
     "\t\t<record from=\"2\" to=\"graphics/pictures/person/2/portrait\"/>\n</list></record>",
     "Success! 1 files added in XML file!\n1 record kept, 0 removed.",
     {}},
    {"a </list> in comments after the list and the root: the list's own end",
     {"1.png", "2.png"},
     false,
     true,
     "<record>\n<list id=\"maps\">\n<record from=\"1\" "
     "to=\"graphics/pictures/person/1/portrait\"/>\n"
     "</list><!-- </list> -->\n</record>\n<!-- </list> --><?pi </list> ?>",
     "<record>\n<list id=\"maps\">\n<record from=\"1\" "
     "to=\"graphics/pictures/person/1/portrait\"/>\n"
     "<record from=\"2\" to=\"graphics/pictures/person/2/portrait\"/>\n"
     "</list><!-- </list> -->\n</record>\n<!-- </list> --><?pi </list> ?>",
     "Success! 1 files added in XML file!\n1 record kept, 0 removed.",
     {}},
    {"a </list> in a comment in the list",
     {"1.png", "2.png"},
     false,
     true,
     "<record><list id=\"maps\"><record from=\"1\" to=\"graphics/pictures/person/1/portrait\"/>"
     "<!-- </list> --></list></record>",
     "<record><list id=\"maps\"><record from=\"1\" to=\"graphics/pictures/person/1/portrait\"/>"
     "<!-- </list> -->\n\t\t<record from=\"2\" to=\"graphics/pictures/person/2/portrait\"/>\n"
     "</list></record>",
     "Success! 1 files added in XML file!\n1 record kept, 0 removed.",
     {}},
    {"CR alone ends each line",
     {"1.png", "2.png", "3.png"},
     true,
     true,
     "<record>\r<list id=\"maps\">\r\t\t<record from=\"1\" "
     "to=\"graphics/pictures/person/1/portrait\"/>\r"
     "\t\t<record from=\"4\" to=\"graphics/pictures/person/4/portrait\"/>\r\t</list>\r</record>",
     "<record>\r<list id=\"maps\">\r\t\t<record from=\"1\" "
     "to=\"graphics/pictures/person/1/portrait\"/>\r"
     "\t\t<record from=\"2\" to=\"graphics/pictures/person/2/portrait\"/>\r"
     "\t\t<record from=\"3\" to=\"graphics/pictures/person/3/portrait\"/>\r\t</list>\r</record>",
     "Success! 2 files added in XML file!\n1 record kept, 1 removed:\nline 4: 4",
     {}},
};

class UpdateTest : public WriterTest, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(UpdateTest, ChangesOnlyItsLines) {
  const UpdateCase& c = GetParam();
  Files(c.pictures);
  folder.Write("config.xml", c.before);
  // A second name for the file: a rewrite puts a new file in place, which
  // the second name is not.
  const auto path = folder.path() / "config.xml";
  const TempFolder aside;
  std::filesystem::create_hard_link(path, aside.path() / "config.xml");
  prompter.answers = {KitAnswer{5, KitKind::Home}, std::nullopt, KitAnswer{6, KitKind::Home}};

  settings.folderPath = folder.str();
  settings.allFilenamesAreIds = c.idsFromNames;
  writer::UpdateOptions options;
  options.prune = c.prune;
  UpdateMappingFile(settings, host, prompter, options);

  EXPECT_EQ(host.messages,
            (std::vector<Message>{{c.summary, "Success!", MessageKind::Information}}));
  EXPECT_EQ(folder.Read("config.xml"), c.after.value_or(c.before));
  EXPECT_EQ(platform::SameFile(path.string(), (aside.path() / "config.xml").string()), !c.after);
  std::vector<std::string> counters;
  for (const PromptCall& call : prompter.calls) counters.push_back(call.counter);
  EXPECT_EQ(counters, c.counters);
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdateTest, ::testing::ValuesIn(kCases));

TEST_F(WriterTest, UpdateNeedsAFileWithAList) {
  settings.folderPath = folder.str();
  writer::UpdateOptions options;
  UpdateMappingFile(settings, host, prompter, options);
  folder.Write("config.xml", "<record></record>");
  UpdateMappingFile(settings, host, prompter, options);
  EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                              "Could not open config.xml file!",
                              "Mapio encountered error reading config.xml file!\n\nYou can try the "
                              "following steps:\n\n* Open and save it with WordPad\n* Open it with "
                              "Notepad and look for formating errors\n"}));
  EXPECT_EQ(folder.Read("config.xml"), "<record></record>");
}

// Pruning takes exactly a record's bytes: a record that shares its line
// with something else leaves the rest; one alone on its lines (one record
// over three) takes them with it.
TEST_F(WriterTest, PruneRemovesExactlyTheRecordsBytes) {
  Files({"a.png"});
  const std::string a = "<record from=\"a\" to=\"graphics/pictures/person/1/portrait\"/>";
  const std::string gone1 = "<record from=\"gone1\" to=\"graphics/pictures/person/2/portrait\"/>";
  const std::string gone2 =
      "  <record from=\"gone2\"\n    to=\"graphics/pictures/person/3/portrait\">\n  </record>\n";
  const std::string gone3 = "<record from=\"gone3\" to=\"graphics/pictures/person/4/portrait\"/>";
  const std::string head = "<record>\n<list id=\"maps\">\n";
  folder.Write("config.xml",
               head + a + gone1 + "\n" + gone2 + gone3 + "<!-- kept -->\n</list>\n</record>\n");

  settings.folderPath = folder.str();
  writer::UpdateOptions options;
  options.prune = true;
  UpdateMappingFile(settings, host, prompter, options);
  EXPECT_EQ(folder.Read("config.xml"), head + a + "\n<!-- kept -->\n</list>\n</record>\n");
  EXPECT_EQ(host.Texts(), (std::vector<std::string>{
                              "Success! 0 files added in XML file!\n1 record kept, 3 removed:\n"
                              "line 3: gone1\nline 4: gone2\nline 7: gone3"}));
}

// A picture that comes back while the update runs (here while an ID is
// typed for a new one) keeps its record, under its name in any letter case
// or under its ID; only one still missing just before the write is pruned.
TEST_F(WriterTest, PruneKeepsTheRecordOfAPictureThatCameBack) {
  Files({"new.png"});
  folder.Write("config.xml", MappingFile({FaceRecord("same", "1"), FaceRecord("case", "2"),
                                          FaceRecord("translated", "3"), FaceRecord("gone", "4")}));
  settings.folderPath = folder.str();
  settings.allFilenamesAreIds = false;
  prompter.answers = {KitAnswer{5}};
  prompter.whileAsking = [&] { Files({"same.png", "CASE.JPG", "3.gif"}); };
  writer::UpdateOptions options;
  options.prune = true;
  UpdateMappingFile(settings, host, prompter, options);
  EXPECT_EQ(Written(), MappingFile({FaceRecord("same", "1"), FaceRecord("case", "2"),
                                    FaceRecord("translated", "3"), FaceRecord("new", "5")}));
  EXPECT_EQ(host.Texts(), (std::vector<std::string>{"Success! 1 files added in XML file!\n"
                                                    "3 records kept, 1 removed:\nline 22: gone"}));
}

// After a make, three pictures come and two go: a pruning update gives the
// records a fresh make would, the old ones in their order, the new at the end.
TEST_F(WriterTest, UpdateAfterMakeMatchesAFreshMake) {
  Files({"1.png", "2.png", "3.png", "4.png"});
  Run();
  std::filesystem::remove(folder.path() / "2.png");
  std::filesystem::remove(folder.path() / "4.png");
  Files({"0.png", "5.png", "6.png"});
  writer::UpdateOptions options;
  options.prune = true;
  UpdateMappingFile(settings, host, prompter, options);
  EXPECT_EQ(Written(),
            MappingFile({FaceRecord("1", "1"), FaceRecord("3", "3"), FaceRecord("0", "0"),
                         FaceRecord("5", "5"), FaceRecord("6", "6")}));
}

// Pictures only get records; a name that begins with no number gets none
// from -n (no ID 0), and is named.
TEST_F(WriterTest, UpdateMapsPicturesOnlyAndNamesThoseWithoutANumber) {
  Files({"10.png", "notes.txt", "Thumbs.db", "abc.png", ".config.xml.mapio-Ab12Cd"});
  folder.Write("config.xml", MappingFile({}));
  settings.folderPath = folder.str();
  settings.allFilenamesAreIds = true;
  UpdateMappingFile(settings, host, prompter);
  EXPECT_EQ(Written(), MappingFile({FaceRecord("10", "10")}));
  EXPECT_EQ(host.Texts(),
            (std::vector<std::string>{
                "These pictures were not added: their names begin with no number, so they need an "
                "ID typed in (leave out -n or untick \"All filenames are IDs\") or a name that "
                "begins with their ID:\nabc.png",
                "Success! 1 files added in XML file!\n0 records kept, 0 removed."}));
}

// What another program writes while a job works is never written over:
// neither by an update that waited for an ID, nor by one whose reading
// was overtaken just before it put its file in place, nor by make.
TEST_F(WriterTest, FileChangedMeanwhileIsNotWrittenOver) {
  const Message changed{
      "config.xml was changed by another program after Mapio read it! No file "
      "was changed: run again to work on the file as it is now.",
      "Error", MessageKind::Warning};
  const std::string theirs = MappingFile({FaceRecord("theirs", "9")});
  Files({"1.png", "gone.png"});
  settings.folderPath = folder.str();
  const auto reset = [&] {
    folder.Write("config.xml", MappingFile({FaceRecord("gone", "2")}));
    host.messages.clear();
  };
  // An ID typed in while an editor saves the file.
  reset();
  prompter.answers = {KitAnswer{1, KitKind::Home}};
  prompter.whileAsking = [&] { folder.Write("config.xml", theirs); };
  UpdateMappingFile(settings, host, prompter);
  EXPECT_EQ(host.messages, std::vector<Message>{changed});
  EXPECT_EQ(folder.Read("config.xml"), theirs);
  prompter.whileAsking = nullptr;
  // Pruning, with the file replaced at the last moment.
  reset();
  std::filesystem::remove(folder.path() / "gone.png");
  writer::UpdateOptions prune;
  prune.prune = true;
  prune.writerHooks.beforeCompare = [&] { folder.Write("config.xml", theirs); };
  UpdateMappingFile(settings, host, prompter, prune);
  EXPECT_EQ(host.messages, std::vector<Message>{changed});
  EXPECT_EQ(folder.Read("config.xml"), theirs);
  // Make, asked to replace a file that another program then changes.
  reset();
  host.answers = {MessageButton::Yes};
  prompter.answers = {KitAnswer{1, KitKind::Home}};
  prompter.whileAsking = [&] { folder.Write("config.xml", theirs); };
  MakeMappingFile(settings, host, prompter);
  EXPECT_EQ(host.messages.back(), changed);
  EXPECT_EQ(folder.Read("config.xml"), theirs);
}

}  // namespace
}  // namespace mapio::testing
