#include "ui/mapping_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "platform/platform.h"
#include "tests/support/fake_host.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_folder.h"

namespace mapio::ui {
namespace {

using testing::FakeHost;
using testing::Message;
using testing::TempFolder;

// Answers each Edit from a script: an edit of the shown text, or a close.
struct ScriptedView : EditorView {
  using Step = std::function<std::optional<std::string>(const std::string&)>;
  std::deque<Step> steps;
  std::vector<std::string> shown;
  std::vector<std::size_t> lines;

  std::unique_ptr<EditedText> Edit(TextPieces pieces, std::size_t line) override {
    const std::string text = JoinPieces(pieces);
    shown.push_back(text);
    lines.push_back(line);
    if (steps.empty()) return nullptr;
    Step step = std::move(steps.front());
    steps.pop_front();
    std::optional<std::string> edited = step(text);
    if (!edited) return nullptr;
    return std::make_unique<WholeEditedText>(std::move(*edited));
  }
  void SaveAsShown() {
    steps.push_back([](const std::string& t) { return t; });
  }
  void SaveText(std::string text) {
    steps.push_back([text](const std::string&) { return text; });
  }
};

class MappingEditorTest : public ::testing::Test {
 protected:
  void Run(const std::string& folderPath) {
    host.controls.folderPath = folderPath;
    MappingEditor(host, settings, view);
  }
  void Run() { Run(folder.str()); }

  TempFolder folder;
  FakeHost host;
  JobSettings settings;
  ScriptedView view;
};

const Message kOpenFailed{"Could not open config.xml file", "Error", MessageKind::Warning};

TEST_F(MappingEditorTest, NothingToOpenShowsAMessageAndCreatesNothing) {
  folder.MakeDir("config.xml/inside");
  folder.MakeDir("empty");
  const struct {
    std::string path;
    Message message;
  } cases[] = {
      {"", {"Please choose directory!", "Choose directory", MessageKind::Warning}},
      {folder.str() + "/empty", kOpenFailed},    // no config.xml
      {folder.str() + "/missing", kOpenFailed},  // no such folder
      {folder.str(), kOpenFailed},               // config.xml is a folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    host.messages.clear();
    Run(c.path);
    EXPECT_EQ(host.messages, std::vector<Message>{c.message});
  }
  EXPECT_EQ(host.pulls, 4);
  EXPECT_TRUE(view.shown.empty());
  EXPECT_FALSE(folder.Exists("empty/config.xml"));
  EXPECT_FALSE(folder.Exists("missing"));
}

TEST_F(MappingEditorTest, UneditedSaveWritesTheSameBytes) {
  std::string bad(300000, 'x');
  const std::string cases[] = {
      "",
      "<record>\n\t<list/>\n</record>",
      "<record>\r\n\t<list/>\r\n</record>\r\n",
      "a\r\nb\r\nc\nd\r\n",  // mostly CR LF, one bare LF
      "a\nb\nc\r\nd\n",      // mostly LF, one CR LF
      "old\rmac\r",          // CR on its own
      std::string("nul\0byte\n", 9),
      "caf\xe9 \x80 \x81 \x9d \xff\n",  // not UTF-8
      "\xef\xbb\xbf"
      "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\n",
      "\xe2\x90\x80 \xef\xa3\xbf \xe2\x90\x8a\n \xe2\x80\xa9 \xef\xb7\x90\n",  // stand-ins, marks
      "\xc2\xa0nbsp \xe2\x80\xa8 sep\n",
      bad + "\n" + bad,  // long lines
  };
  for (const std::string& bytes : cases) {
    SCOPED_TRACE(bytes.substr(0, 40));
    folder.Write("config.xml", bytes);
    view.SaveAsShown();
    Run();
    EXPECT_EQ(folder.Read("config.xml"), bytes);
  }
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(folder.List(), std::vector<std::string>{"config.xml"});  // no temporary left
}

TEST_F(MappingEditorTest, ShowsLinesAndCharactersAsTheyRead) {
  const struct {
    std::string bytes;
    std::string shown;
  } cases[] = {
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\nb", "a\nb"},
      {"caf\xe9\x80", "caf\xc3\xa9\xe2\x82\xac"},  // Windows-1252
      {std::string("a\0b", 3),
       "a\xe2\x90\x80"
       "b"},  // NUL visible
  };
  for (const auto& c : cases) {
    folder.Write("config.xml", c.bytes);
    Run();
    EXPECT_EQ(view.shown.back(), c.shown);
  }
}

// The report opens the editor at a finding's line, and checks again after
// a save only.
TEST_F(MappingEditorTest, OpensAtTheCheckedLineAndSaysWhetherItSaved) {
  folder.Write("config.xml", "a\rb\nc\n");
  host.controls.folderPath = folder.str();
  EXPECT_FALSE(MappingEditor(host, settings, view, 3));
  view.SaveAsShown();
  EXPECT_TRUE(MappingEditor(host, settings, view, 3));
  EXPECT_EQ(view.lines, (std::vector<std::size_t>{2, 2}));
  Run();
  EXPECT_EQ(view.lines.back(), 0u);
}

TEST_F(MappingEditorTest, EditedLinesTakeTheFilesLineEnds) {
  folder.Write("config.xml", "a\r\nb\r\n");
  view.SaveText("a\nnew\nb\n");
  Run();
  EXPECT_EQ(folder.Read("config.xml"), "a\r\nnew\r\nb\r\n");

  folder.Write("config.xml", "caf\xe9\n");  // Windows-1252 stays Windows-1252
  view.SaveText("caf\xc3\xa9 \xe2\x82\xac\n");
  Run();
  EXPECT_EQ(folder.Read("config.xml"), "caf\xe9 \x80\n");
}

TEST_F(MappingEditorTest, CloseWritesNothing) {
  folder.Write("config.xml", "keep\r\n");
  Run();
  EXPECT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(folder.Read("config.xml"), "keep\r\n");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(MappingEditorTest, FailedSaveKeepsTheFileAndReopensWithTheEdits) {
  folder.Write("config.xml", "old text\n");
  platform::AtomicFileWriter::FailAfterBytesForTesting(3);
  view.SaveText("new text that does not fit\n");
  Run();  // the second showing is closed
  platform::AtomicFileWriter::FailAfterBytesForTesting(std::nullopt);
  ASSERT_EQ(view.shown.size(), 2u);
  EXPECT_EQ(view.shown[1], "new text that does not fit\n");
  const Message failed{"Could not write config.xml file; it was left as it was", "Error",
                       MessageKind::Warning};
  EXPECT_EQ(host.messages, std::vector<Message>{failed});
  EXPECT_EQ(folder.Read("config.xml"), "old text\n");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"config.xml"});
}

#ifndef _WIN32
// A file the user may not write is never replaced through the temporary
// file: the save fails and the editor opens again with the edits.
TEST(MappingEditorRefusal, FileTheUserMayNotWriteIsLeftAsItWas) {
  namespace fs = std::filesystem;
  const Message failed{"Could not write config.xml file; it was left as it was", "Error",
                       MessageKind::Warning};
  const struct {
    const char* name;
    fs::perms perms;
    bool foreign;
  } cases[] = {
      {"read-only", fs::perms::owner_read, false},
      {"someone else's", fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read,
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    folder.Write("config.xml", "old\n");
    fs::permissions(folder.path() / "config.xml", c.perms);
    FakeHost host;
    host.controls.folderPath = folder.str();
    JobSettings settings;
    ScriptedView view;
    view.SaveText("new\n");
    {
      testing::OrdinaryUser user(folder.path(), c.foreign ? std::vector<std::string>{"config.xml"}
                                                          : std::vector<std::string>{});
      if (c.foreign && !user.HasForeignFiles()) continue;  // cannot give a file away
      MappingEditor(host, settings, view);
    }
    EXPECT_EQ(host.messages, std::vector<Message>{failed});
    EXPECT_EQ(view.shown, (std::vector<std::string>{"old\n", "new\n"}));
    EXPECT_EQ(folder.Read("config.xml"), "old\n");
    EXPECT_EQ(fs::status(folder.path() / "config.xml").permissions(), c.perms);
    EXPECT_EQ(folder.List(), std::vector<std::string>{"config.xml"});
  }
}
#endif

TEST_F(MappingEditorTest, TextTheFileCannotStoreIsNotSavedButKept) {
  folder.Write("config.xml", "caf\xe9\n");
  view.SaveText("\xe6\x97\xa5\n");  // not in Windows-1252
  view.SaveText("ok\n");
  Run();
  ASSERT_EQ(view.shown.size(), 2u);
  EXPECT_EQ(view.shown[1], "\xe6\x97\xa5\n");
  EXPECT_EQ(host.messages.at(0).text,
            "Could not save config.xml file: it is not UTF-8 text, and the edited text holds "
            "characters it cannot store");
  EXPECT_EQ(folder.Read("config.xml"), "ok\n");
}

TEST_F(MappingEditorTest, FolderPathForms) {
  folder.Write("sub/config.xml", "x");
  namespace fs = std::filesystem;
  const std::string relative =
      fs::relative(folder.path() / "sub", platform::CurrentDirectory()).string();
  for (const std::string& path : {folder.str() + "/sub/", relative}) {
    SCOPED_TRACE(path);
    Run(path);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(view.shown.back(), "x");
  }
}

}  // namespace
}  // namespace mapio::ui
