// The prompts, the editor and the about box driven through their messages.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include <Scintilla.h>

#include "res/control_ids.h"
#include "tests/support/editor_files.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/dialog_script.h"
#include "ui/win32/about_dialog.h"
#include "ui/win32/edit_dialog.h"
#include "ui/win32/id_prompts.h"
#include "ui/win32/long_message.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/scintilla_control.h"

namespace mapio::testing {
namespace {

using win32::Dialog;
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
  win32::Win32Prompter prompter(script, nullptr, nullptr);
  EXPECT_EQ(prompter.AskFileId("a long picture name.png", "3/9"), 4294967295u);
  EXPECT_TRUE(script.messages.empty());
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
  win32::Win32Prompter prompter(script, nullptr, nullptr);
  EXPECT_EQ(prompter.AskFileId("x.png", "1/2"), std::nullopt);
  EXPECT_EQ(prompter.AskFileId("y.png", "2/2"), 0u);
  EXPECT_EQ(script.messages, (std::vector<Message>{{"Please enter a whole number from 0 to "
                                                    "4294967295.",
                                                    "Mapio", MessageKind::Warning}}));
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
  win32::Win32Prompter prompter(script, nullptr, nullptr);
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
  win32::CMainDlg window(script);
  window.RunModal(nullptr);
  EXPECT_TRUE(script.Done());
  const std::string config = folder.ReadText("config.xml");
  EXPECT_NE(config.find("<record from=\"away kit\" to=\"graphics/pictures/team/12/kits/away\"/>"),
            std::string::npos);
  EXPECT_EQ(config.find("spare"), std::string::npos);
}

// Opens the editor from the main window on `folder` and runs `step` in it
// (none: no editor is to open).
void EditFrom(const TempFolder& folder, DialogScript& script, std::function<void(Dialog&)> step) {
  if (step) script.Then(res::kEditXmlDialog, std::move(step));
  script.Then(res::kMainDialog, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    Click(main, res::kEditXmlButton);
    EndDialog(main.hwnd(), IDCANCEL);
  });
  win32::CMainDlg window(script);
  window.RunModal(nullptr);
  EXPECT_TRUE(script.Done());
}

// The text box's bytes, its selection and the line the caret is on.
std::string BoxBytes(Dialog& editor) {
  return std::string(win32::Win32ScintillaBox(editor.Item(res::kXmlTextBox)).Bytes());
}
ui::TextRange Selection(Dialog& editor) {
  return win32::Win32ScintillaBox(editor.Item(res::kXmlTextBox)).Selection();
}

// A key pressed in control `id` of the editor, with Ctrl or Shift held, as
// the dialog's loop hands it on.
void Key(Dialog& editor, WPARAM key, BYTE held = 0, int id = res::kXmlTextBox) {
  BYTE state[256];
  GetKeyboardState(state);
  if (held != 0) state[held] = 0x80;
  SetKeyboardState(state);
  MSG message{editor.Item(id), WM_KEYDOWN, key, 0, 0, {}};
  if (!CallMsgFilterW(&message, MSGF_DIALOGBOX)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (held != 0) state[held] = 0;
  SetKeyboardState(state);
}

TEST(Win32Editor, SavesAfterTheConfirmation) {
  TempFolder folder;
  folder.Write("config.xml", "<record/>\r\n");
  DialogScript script;
  EditFrom(folder, script, [&](Dialog& editor) {
    EXPECT_EQ(WindowText(editor.hwnd()), "Edit XML file");
    EXPECT_EQ(GetFocus(), editor.Item(IDOK));
    SendMessageW(editor.Item(res::kXmlTextBox), SCI_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("edited\r\n"));
    Click(editor, IDOK);  // answered Cancel
    EXPECT_FALSE(editor.ended());
    EXPECT_EQ(script.owners.back(), editor.hwnd());
    script.answers.push_back(MessageButton::Ok);
    Click(editor, IDOK);
  });
  EXPECT_EQ(folder.Read("config.xml"), "edited\r\n");
  const Message save{"Do you really want to save this file?", "Confirm save",
                     MessageKind::Confirmation};
  EXPECT_EQ(script.messages, std::vector<Message>(2, save));
}

// Runs `edit` in the editor on each of `files` in turn, from one main
// window, and hands back what each save wrote.
std::vector<std::string> EditEach(const std::vector<std::string>& files,
                                  const std::function<void(Dialog&)>& edit) {
  TempFolder folder;
  DialogScript script;
  std::vector<std::string> saved;
  for (std::size_t i = 0; i < files.size(); ++i) {
    script.Then(res::kEditXmlDialog, [&](Dialog& editor) {
      edit(editor);
      script.answers.push_back(MessageButton::Ok);
      Click(editor, IDOK);
    });
  }
  script.Then(res::kMainDialog, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    for (const std::string& bytes : files) {
      folder.Write("config.xml", bytes);
      Click(main, res::kEditXmlButton);
      saved.push_back(folder.Read("config.xml"));
    }
    EndDialog(main.hwnd(), IDCANCEL);
  });
  win32::CMainDlg window(script);
  window.RunModal(nullptr);
  EXPECT_TRUE(script.Done());
  return saved;
}

// Through the job and the real window: a save without an edit writes the
// bytes the file had, whatever they are.
TEST(Win32Editor, KeepsEveryByte) {
  std::vector<std::string> files;
  for (const EditorFile& file : EditorFiles()) files.push_back(file.bytes);
  std::vector<std::string> shown;
  const std::vector<std::string> saved = EditEach(files, [&](Dialog& editor) {
    shown.push_back(BoxBytes(editor));
    EXPECT_GT(SendMessageW(editor.Item(res::kXmlTextBox), SCI_GETMARGINWIDTHN, 0, 0), 0);
  });
  EXPECT_EQ(shown, files);
  EXPECT_EQ(saved, files);
}

// Typed lines get the file's line ends, typed letters its encoding.
TEST(Win32Editor, TypingKeepsTheFilesWays) {
  const std::vector<std::string> saved =
      EditEach({"a\r\nb\r\n", "a\nb\n", "a\rb\r", "a\r\nb\xe9\r\n"}, [](Dialog& editor) {
        HWND box = editor.Item(res::kXmlTextBox);
        EXPECT_EQ(SendMessageW(box, SCI_CANUNDO, 0, 0), 0);  // loading the file is no edit
        SendMessageW(box, SCI_GOTOPOS, 1, 0);
        Key(editor, VK_RETURN);
        SendMessageW(box, WM_CHAR, L'\u00e9', 0);
        EXPECT_NE(SendMessageW(box, SCI_CANUNDO, 0, 0), 0);
      });
  EXPECT_EQ(saved, (std::vector<std::string>{"a\r\n\xc3\xa9\r\nb\r\n", "a\n\xc3\xa9\nb\n",
                                             "a\r\xc3\xa9\rb\r",
                                             "a\r\n\xe9\r\nb\xe9\r\n"}));  // Windows-1252
}

// Ctrl+F, F3 and Shift+F3, Ctrl+G, Esc.
TEST(Win32Editor, FindAndGoToLine) {
  TempFolder folder;
  folder.Write("config.xml", "one\r\ntwo\r\nThree\r\nfour two\r\n");
  DialogScript script;
  ui::TextRange found, previous, again, back, line;
  Dialog* editorOf = nullptr;
  script.Then(res::kFindDialog, [&](Dialog& find) {
    EXPECT_EQ(WindowText(find.hwnd()), "Find");
    Type(find, res::kFindTextBox, "TWO");
    Click(find, res::kFindNextButton);
    found = Selection(*editorOf);
    Click(find, res::kFindPreviousButton);
    previous = Selection(*editorOf);
    Click(find, res::kFindCloseButton);
  });
  script.Then(res::kGoToLineDialog, [&](Dialog& goTo) {
    EXPECT_EQ(goTo.ItemText(res::kLineNumberBox), "4");  // the caret's
    Type(goTo, res::kLineNumberBox, "9");
    Click(goTo, res::kGoToButton);
    EXPECT_FALSE(goTo.ended());
    Type(goTo, res::kLineNumberBox, "3");
    Click(goTo, res::kGoToButton);
  });
  bool closed = false;
  EditFrom(folder, script, [&](Dialog& editor) {
    editorOf = &editor;
    Key(editor, 'F', VK_CONTROL);
    Key(editor, VK_F3);
    again = Selection(editor);
    Key(editor, VK_F3, VK_SHIFT);
    back = Selection(editor);
    Key(editor, 'G', VK_CONTROL, res::kSaveButton);  // anywhere in the window
    line = Selection(editor);
    Key(editor, VK_ESCAPE);  // posts the close
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    closed = editor.ended();
    if (!closed) Click(editor, res::kEditorCloseButton);
  });
  EXPECT_EQ(found, (ui::TextRange{5, 8}));
  EXPECT_EQ(previous, (ui::TextRange{22, 25}));  // round the start
  EXPECT_EQ(again, (ui::TextRange{5, 8}));       // round the end
  EXPECT_EQ(back, (ui::TextRange{22, 25}));
  EXPECT_EQ(line, (ui::TextRange{10, 10}));
  EXPECT_TRUE(closed);
  EXPECT_EQ(script.messages, (std::vector<Message>{{"Type a line number from 1 to 5.", "Go to line",
                                                    MessageKind::Warning}}));
}

TEST(Win32Editor, CloseLeavesTheFileAndAMissingFileIsReported) {
  TempFolder folder;
  folder.Write("config.xml", "kept\r\n");
  DialogScript script;
  EditFrom(folder, script, [](Dialog& editor) {
    SendMessageW(editor.Item(res::kXmlTextBox), SCI_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("changed"));
    Click(editor, res::kEditorCloseButton);
  });
  EXPECT_EQ(folder.Read("config.xml"), "kept\r\n");
  TempFolder empty;
  DialogScript none;
  EditFrom(empty, none, {});
  EXPECT_EQ(
      none.messages,
      (std::vector<Message>{{"Could not open config.xml file", "Error", MessageKind::Warning}}));
  EXPECT_FALSE(empty.Exists("config.xml"));
}

TEST(Win32About, ShowsTheVersionAndClosesOnOk) {
  DialogScript script;
  script.Then(res::kAboutDialog, [](Dialog& about) {
    HWND version = FindWindowExA(about.hwnd(), nullptr, "Static", "Mapio Version 0.4");
    EXPECT_NE(version, nullptr);
    Click(about, IDOK);
  });
  win32::CAboutDlg about(script);
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
