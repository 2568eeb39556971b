#include "ui/mapping_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "tests/support/fake_host.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_folder.h"

namespace mapio::ui {
namespace {

using testing::FakeHost;
using testing::Message;
using testing::TempFolder;

// The editor's text as a string.
struct FakeText : EditorText {
  std::string bytes;
  void Append(std::string_view more) override { bytes += more; }
  std::string_view Bytes() override { return bytes; }
};

// Answers each Edit from a script: an edit of the shown text and a save,
// or a close.
struct ScriptedView : EditorView {
  using Step = std::function<std::optional<std::string>(const std::string&)>;
  std::deque<Step> steps;
  std::vector<std::string> shown;
  std::vector<std::size_t> lines;
  std::vector<EditorLook> looks;
  std::vector<std::size_t> rooms;

  std::unique_ptr<EditorText> NewText(std::size_t size, bool) override {
    rooms.push_back(size);
    return std::make_unique<FakeText>();
  }
  bool Edit(EditorText& text, const EditorLook& look, std::size_t line) override {
    std::string& bytes = static_cast<FakeText&>(text).bytes;
    shown.push_back(bytes);
    lines.push_back(line);
    looks.push_back(look);
    if (steps.empty()) return false;
    Step step = std::move(steps.front());
    steps.pop_front();
    std::optional<std::string> edited = step(bytes);
    if (!edited) return false;
    bytes = std::move(*edited);
    return true;
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

// The report opens the editor at a finding's line, and checks again after
// a save only. The editor counts lines as the check does.
TEST_F(MappingEditorTest, OpensAtTheCheckedLineAndSaysWhetherItSaved) {
  folder.Write("config.xml", "a\rb\r\nc\n");
  host.controls.folderPath = folder.str();
  EXPECT_FALSE(MappingEditor(host, settings, view, 3));
  view.SaveAsShown();
  EXPECT_TRUE(MappingEditor(host, settings, view, 3));
  EXPECT_EQ(view.lines, (std::vector<std::size_t>{3, 3}));
  Run();
  EXPECT_EQ(view.lines.back(), 0u);
  // The whole file, in the window's text from the start, and its look.
  EXPECT_EQ(view.shown.back(), "a\rb\r\nc\n");
  EXPECT_EQ(view.rooms.back(), 7u);
  EXPECT_EQ(view.looks.back(), LookOf("a\rb\r\nc\n"));
}

// A save finds the file another program changed after it was opened: it
// asks before it writes over that change, and on No writes nothing and
// opens the editor again with the unsaved text.
TEST_F(MappingEditorTest, AChangeOnDiskIsNotOverwrittenUnasked) {
  folder.Write("config.xml", "mine\n");
  const auto theirs = [&](const std::string&) -> std::optional<std::string> {
    folder.Write("config.xml", "theirs, longer\n");
    return std::string("edited\n");
  };
  view.steps.push_back(theirs);
  host.answers.push_back(MessageButton::No);
  view.steps.push_back([&](const std::string& text) -> std::optional<std::string> {
    EXPECT_EQ(folder.Read("config.xml"), "theirs, longer\n");
    return text;
  });
  host.answers.push_back(MessageButton::Yes);
  Run();
  const Message changed{
      "config.xml was changed by another program after it was opened here. Replace it with the "
      "text you are saving?",
      "Confirm save", MessageKind::Question};
  EXPECT_EQ(host.messages, (std::vector<Message>{changed, changed}));
  EXPECT_EQ(view.shown, (std::vector<std::string>{"mine\n", "edited\n"}));
  EXPECT_EQ(folder.Read("config.xml"), "edited\n");
  EXPECT_EQ(folder.List(), std::vector<std::string>{"config.xml"});
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
  view.SaveText("new text that does not fit\n");
  host.controls.folderPath = folder.str();
  MappingEditor(host, settings, view, 0, {.failAfterBytes = 3});  // the second showing is closed
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
