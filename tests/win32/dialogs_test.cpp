// The prompts, the editor and the about box driven through their messages.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "res/control_ids.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/dialog_script.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/edit_dialog.h"
#include "ui/win32/id_prompts.h"
#include "ui/win32/long_message.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/message_box.h"

namespace mapio::testing {
namespace {

using win32::Dialog;
using win32::MessageBoxSeam;
using win32::WindowText;

TEST(Win32Prompts, FileMapShowsThePictureAndHandsBackTheId) {
  DialogScript script;
  script.Then(res::kFileMapDialog, [](Dialog& prompt) {
    EXPECT_EQ(WindowText(prompt.hwnd()), "Select ID for file");
    EXPECT_EQ(prompt.ItemText(res::kFileNameBox), "a long picture name.png");
    EXPECT_EQ(prompt.ItemText(res::kFileCounterBox), "3/9");
    EXPECT_EQ(prompt.ItemText(res::kFileIdBox), "0");
    EXPECT_EQ(SendMessageA(prompt.Item(res::kFileIdBox), EM_GETSEL, 0, 0), MAKELRESULT(0, 1));
    Type(prompt, res::kFileIdBox, "4294967295");
    Click(prompt, IDOK);
  });
  win32::Win32Prompter prompter(nullptr, nullptr);
  EXPECT_EQ(prompter.AskFileId("a long picture name.png", "3/9"), 4294967295u);
  EXPECT_TRUE(MessageBoxSeam::Shown().empty());
}

TEST(Win32Prompts, AddIsRefusedUntilTheFieldHoldsAnId) {
  DialogScript script;
  script.Then(res::kFileMapDialog, [](Dialog& prompt) {
    Type(prompt, res::kFileIdBox, "4294967296");
    Click(prompt, IDOK);
    EXPECT_FALSE(prompt.ended());
    Click(prompt, IDCANCEL);  // Do not add still closes it
  });
  script.Then(res::kFileMapDialog, [](Dialog& prompt) { Command(prompt, IDOK); });  // Enter: ID 0
  win32::Win32Prompter prompter(nullptr, nullptr);
  EXPECT_EQ(prompter.AskFileId("x.png", "1/2"), std::nullopt);
  EXPECT_EQ(prompter.AskFileId("y.png", "2/2"), 0u);
  const auto& shown = MessageBoxSeam::Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Please enter a whole number from 0 to 4294967295.");
  EXPECT_EQ(shown[0].caption, "Mapio");
  EXPECT_EQ(shown[0].kind, MessageKind::Warning);
}

TEST(Win32Prompts, KitPromptStartsAtHomeAndHandsBackTheKind) {
  DialogScript script;
  script.Then(res::kKitMapDialog, [](Dialog& prompt) {
    EXPECT_TRUE(Checked(prompt, res::kHomeButton));
    EXPECT_FALSE(Checked(prompt, res::kAwayButton) || Checked(prompt, res::kThirdButton));
    Click(prompt, res::kThirdButton);
    Type(prompt, res::kKitIdBox, "77");
    Click(prompt, IDOK);
  });
  script.Then(res::kKitMapDialog, [](Dialog& prompt) { Command(prompt, IDCANCEL); });  // Esc
  win32::Win32Prompter prompter(nullptr, nullptr);
  const std::optional<KitAnswer> third = prompter.AskKitId("kit.png", "1/2");
  ASSERT_TRUE(third);
  EXPECT_EQ(third->id, 77u);
  EXPECT_EQ(third->kitKind, KitKind::Third);
  EXPECT_EQ(prompter.AskKitId("kit2.png", "2/2"), std::nullopt);
}

TEST(Win32Prompts, TheMakeJobAsksThroughThePrompts) {
  TempFolder folder;
  folder.Write("away kit.png");
  folder.Write("spare.png");
  DialogScript script;
  script.Then(res::kKitMapDialog, [](Dialog& prompt) {
    Type(prompt, res::kKitIdBox, "12");
    Click(prompt, res::kAwayButton);
    Click(prompt, IDOK);
  });
  script.Then(res::kKitMapDialog, [](Dialog& prompt) { Click(prompt, IDCANCEL); });
  script.Then(res::kMainDialog, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    Click(main, res::kKitsButton);
    Command(main, IDOK);
    EndDialog(main.hwnd(), IDCANCEL);
  });
  win32::CMainDlg window;
  window.RunModal(nullptr);
  EXPECT_TRUE(script.Done());
  const std::string config = folder.ReadText("config.xml");
  EXPECT_NE(config.find("<record from=\"away kit\" to=\"graphics/pictures/team/12/kits/away\"/>"),
            std::string::npos);
  EXPECT_EQ(config.find("spare"), std::string::npos);
}

// Opens the editor from the main window on `folder` and runs `step` in it.
void EditFrom(const TempFolder& folder, DialogScript& script, std::function<void(Dialog&)> step) {
  script.Then(res::kEditXmlDialog, std::move(step));
  script.Then(res::kMainDialog, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    Click(main, res::kEditXmlButton);
    EndDialog(main.hwnd(), IDCANCEL);
  });
  win32::CMainDlg window;
  window.RunModal(nullptr);
  EXPECT_TRUE(script.Done());
}

TEST(Win32Editor, ShowsTheWholeFileAndSavesAfterTheConfirmation) {
  TempFolder folder;
  const std::string longLine(300, 'x');
  folder.Write("config.xml", "<record/>\r\n" + longLine + "\r\n{\\rtf1 not rtf}\r\n");
  DialogScript script;
  EditFrom(folder, script, [&](Dialog& editor) {
    EXPECT_EQ(WindowText(editor.hwnd()), "Edit XML file");
    EXPECT_EQ(GetFocus(), editor.Item(IDOK));
    HWND box = editor.Item(res::kXmlTextBox);
    EXPECT_EQ(win32::RichEditText(box), "<record/>\n" + longLine + "\n{\\rtf1 not rtf}\n");
    win32::SetRichEditText(box, "edited\n");
    MessageBoxSeam::SetNextAnswer(MessageButton::Cancel);
    Click(editor, IDOK);
    EXPECT_FALSE(editor.ended());
    EXPECT_EQ(MessageBoxSeam::Shown().back().owner, editor.hwnd());
    MessageBoxSeam::SetNextAnswer(MessageButton::Ok);
    Click(editor, IDOK);
  });
  EXPECT_EQ(folder.Read("config.xml"), "edited\r\n");
  const auto& shown = MessageBoxSeam::Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Do you really want to save this file?");
  EXPECT_EQ(shown[0].caption, "Confirm save");
  EXPECT_EQ(shown[0].kind, MessageKind::Confirmation);
}

// UTF-8 in and out: names in every script show as themselves and a save
// writes the same bytes again.
TEST(Win32Editor, ShowsAndSavesUtf8) {
  TempFolder folder;
  const std::string text =
      "<record from=\"m\xC3\xBCller_\xC5\x82ukasz_\xD0\xB8\xD0\xB2\xD0\xB0\xD0\xBD_\xE6\x9D\x8E_"
      "\xF0\x9F\x98\x80\"/>\r\n";
  folder.Write("config.xml", text);
  DialogScript script;
  EditFrom(folder, script, [&](Dialog& editor) {
    HWND box = editor.Item(res::kXmlTextBox);
    const std::wstring shown =
        L"<record from=\"m\u00FCller_\u0142ukasz_\u0438\u0432\u0430\u043D_"
        L"\u674E_\U0001F600\"/>";
    std::wstring inBox(shown.size() + 1, L'\0');  // the line break is the box's own
    inBox.resize(GetWindowTextW(box, inBox.data(), static_cast<int>(inBox.size())));
    EXPECT_EQ(inBox, shown);
    MessageBoxSeam::SetNextAnswer(MessageButton::Ok);
    Click(editor, IDOK);
  });
  EXPECT_EQ(folder.Read("config.xml"), text);
}

TEST(Win32Editor, TakesFilesBeyondTheBoxsDefaultLimit) {
  TempFolder folder;
  std::string big;
  while (big.size() < 300000) big += "<record from=\"" + std::to_string(big.size()) + "\"/>\r\n";
  folder.Write("config.xml", big);
  DialogScript script;
  EditFrom(folder, script, [](Dialog& editor) {
    MessageBoxSeam::SetNextAnswer(MessageButton::Ok);
    Click(editor, IDOK);
  });
  EXPECT_EQ(folder.Read("config.xml"), big);
}

TEST(Win32Editor, CloseLeavesTheFileAndAMissingFileIsReported) {
  TempFolder folder;
  folder.Write("config.xml", "kept\r\n");
  DialogScript script;
  EditFrom(folder, script, [](Dialog& editor) {
    win32::SetRichEditText(editor.Item(res::kXmlTextBox), "changed");
    Click(editor, res::kEditorCloseButton);
  });
  EXPECT_EQ(folder.Read("config.xml"), "kept\r\n");
  TempFolder empty;
  DialogScript none;
  none.Then(res::kMainDialog, [&](Dialog& main) {
    Type(main, res::kPathBox, empty.str());
    Click(main, res::kEditXmlButton);
    EndDialog(main.hwnd(), IDCANCEL);
  });
  win32::CMainDlg window;
  window.RunModal(nullptr);
  ASSERT_EQ(MessageBoxSeam::Shown().size(), 1u);
  EXPECT_EQ(MessageBoxSeam::Shown()[0].text, "Could not open config.xml file");
  EXPECT_EQ(MessageBoxSeam::Shown()[0].caption, "Error");
  EXPECT_FALSE(empty.Exists("config.xml"));
}

TEST(Win32About, ShowsTheVersionAndClosesOnOk) {
  DialogScript script;
  script.Then(res::kAboutDialog, [](Dialog& about) {
    HWND version = FindWindowExA(about.hwnd(), nullptr, "Static", "Mapio Version 0.4");
    EXPECT_NE(version, nullptr);
    Click(about, IDOK);
  });
  win32::CAboutDlg about;
  EXPECT_EQ(about.RunModal(nullptr), IDOK);
}

TEST(Win32MessageBox, EachKindHasItsIconAndButtons) {
  EXPECT_EQ(win32::MessageBoxStyle(MessageKind::Warning), UINT{MB_ICONEXCLAMATION | MB_OK});
  EXPECT_EQ(win32::MessageBoxStyle(MessageKind::Information), UINT{MB_ICONINFORMATION | MB_OK});
  EXPECT_EQ(win32::MessageBoxStyle(MessageKind::Confirmation), UINT{MB_ICONQUESTION | MB_OKCANCEL});
  EXPECT_EQ(win32::MessageBoxStyle(MessageKind::Question), UINT{MB_ICONQUESTION | MB_YESNO});
  std::string lines;
  for (int i = 0; i < 24; ++i) lines += "a.png\n";
  EXPECT_FALSE(win32::IsLongMessage(lines));
  EXPECT_TRUE(win32::IsLongMessage(lines + "b.png\n"));
  EXPECT_TRUE(win32::IsLongMessage(std::string(2001, 'x')));
}

}  // namespace
}  // namespace mapio::testing
