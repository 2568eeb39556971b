// The main window driven through its messages, as a person would use it.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <commctrl.h>
#include <Scintilla.h>

#include <cstring>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/dialog_script.h"
#include "ui/win32/main_dialog.h"
#include "ui/win32/scintilla_control.h"

namespace mapio::testing {
namespace {

using win32::CMainDlg;
using win32::Dialog;
using win32::WindowText;

// The text of a cell of the report's table.
std::string Cell(Dialog& report, int row, int column) {
  wchar_t text[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(report.Item(res::kReportTable), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
  return platform::Narrow(text);
}

// Runs the main window; `steps` act on it in turn, and it then closes
// through a confirmed quit. An answer left unused by the steps would keep
// it open: it is then closed all the same, so the test fails, not hangs.
INT_PTR RunMain(DialogScript& script, const std::function<void(Dialog&)>& steps) {
  script.Then(res::kMainDialog, [&](Dialog& main) {
    steps(main);
    script.answers.push_back(MessageButton::Ok);
    Command(main, IDCANCEL);
    if (!main.ended()) {
      ADD_FAILURE() << "the main window did not quit";
      EndDialog(main.hwnd(), IDCANCEL);
    }
  });
  CMainDlg window(script);
  const INT_PTR result = window.RunModal(nullptr);
  EXPECT_TRUE(script.Done());
  return result;
}

// A drop as the shell makes it: UTF-16 paths.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  std::wstring names;
  for (const std::string& path : paths) names += platform::Widen(path) + L'\0';
  names += L'\0';
  const std::size_t bytes = names.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), bytes);
  GlobalUnlock(memory);
  return memory;
}

TEST(Win32MainDialog, StartsEmptyInMakeModeWithTheAboutEntry) {
  DialogScript script;
  RunMain(script, [](Dialog& main) {
    EXPECT_EQ(WindowText(main.hwnd()), "Mapio");
    EXPECT_EQ(GetFocus(), main.Item(res::kPathBox));
    EXPECT_EQ(main.ItemText(res::kPathBox), "");
    EXPECT_TRUE(Checked(main, res::kMakeButton));
    EXPECT_TRUE(Checked(main, res::kFacesButton));
    EXPECT_FALSE(Checked(main, res::kAllFilenamesAreIdsBox));
    EXPECT_FALSE(Checked(main, res::kProcessDroppedFoldersBox));
    EXPECT_TRUE(Enabled(main, res::kAllFilenamesAreIdsBox) && Enabled(main, res::kKitsButton));
    EXPECT_FALSE(IsWindowVisible(main.Item(res::kStadiumBackgroundsButton)));
    EXPECT_EQ(SendMessageA(main.Item(res::kPathBox), EM_GETLIMITTEXT, 0, 0), 2048);
    EXPECT_NE(SendMessageA(main.hwnd(), WM_GETICON, ICON_BIG, 0), 0);
    HMENU menu = GetSystemMenu(main.hwnd(), FALSE);
    const int count = GetMenuItemCount(menu);
    char text[64] = {};
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Mapio...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), win32::kAboutCommand);
    EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
  });
}

TEST(Win32MainDialog, ModeSwitchesFollowTheActionButtons) {
  DialogScript script;
  RunMain(script, [](Dialog& main) {
    Click(main, res::kKitsButton);
    Click(main, res::kAllFilenamesAreIdsBox);
    Click(main, res::kTranslateButton);
    EXPECT_TRUE(Checked(main, res::kFacesButton));
    EXPECT_FALSE(Checked(main, res::kKitsButton));
    EXPECT_FALSE(Checked(main, res::kAllFilenamesAreIdsBox));
    EXPECT_FALSE(Enabled(main, res::kAllFilenamesAreIdsBox) || Enabled(main, res::kKitsButton));
    Click(main, res::kMakeButton);
    EXPECT_TRUE(Enabled(main, res::kAllFilenamesAreIdsBox) && Enabled(main, res::kKitsButton));
    EXPECT_TRUE(Checked(main, res::kFacesButton));
    // Another kind survives the switch; the option does not.
    Click(main, res::kClubLogosButton);
    Click(main, res::kAllFilenamesAreIdsBox);
    Click(main, res::kTranslateButton);
    EXPECT_TRUE(Checked(main, res::kClubLogosButton));
    EXPECT_FALSE(Checked(main, res::kAllFilenamesAreIdsBox));
  });
}

// "&GO!" on a Cyrillic folder (which no Western code page holds) of
// pictures named in every script: the path box shows it, and the job names
// each picture.
TEST(Win32MainDialog, GoMakesTheMappingFileOfACyrillicFolder) {
  TempFolder root;
  const std::string folder = root.str() + "\\\xD0\x9B\xD0\xB8\xD1\x86\xD0\xB0";  // Лица
  for (const char* name : {"1_M\xC3\xBCller.png", "2_\xC5\x81ukasz.png", "3_\xE6\x9D\x8E.png",
                           "4_\xF0\x9F\x98\x80.png"}) {
    root.Write(std::string("\xD0\x9B\xD0\xB8\xD1\x86\xD0\xB0/") + name);
  }
  DialogScript script;
  RunMain(script, [&](Dialog& main) {
    Type(main, res::kPathBox, folder);
    wchar_t shown[MAX_PATH] = {};
    GetDlgItemTextW(main.hwnd(), res::kPathBox, shown, MAX_PATH);
    EXPECT_EQ(std::wstring(shown), platform::Widen(folder));
    EXPECT_EQ(main.ItemText(res::kPathBox), folder);
    Click(main, res::kAllFilenamesAreIdsBox);
    Command(main, IDOK);  // also what Enter in the path box sends
  });
  const std::string config = root.ReadText("\xD0\x9B\xD0\xB8\xD1\x86\xD0\xB0/config.xml");
  for (const char* record :
       {"from=\"1_m\xC3\xBCller\" to=\"graphics/pictures/person/1/portrait\"",
        "from=\"2_\xC5\x82ukasz\" to=\"graphics/pictures/person/2/portrait\"",
        "from=\"3_\xE6\x9D\x8E\" to=\"graphics/pictures/person/3/portrait\"",
        "from=\"4_\xF0\x9F\x98\x80\" to=\"graphics/pictures/person/4/portrait\""}) {
    EXPECT_NE(config.find(record), std::string::npos) << record;
  }
  ASSERT_GE(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0],
            (Message{"Success! 4 files added in XML file!", "Success!", MessageKind::Information}));
}

TEST(Win32MainDialog, CheckWantsAFolderAndReportsUnderItsCaption) {
  TempFolder folder;
  DialogScript script;
  std::string caption, name;
  script.Then(res::kReportDialog, [&](Dialog& report) {
    caption = WindowText(report.hwnd());
    name = Cell(report, 0, 0);
    Command(report, IDCANCEL);  // Esc
  });
  RunMain(script, [&](Dialog& main) {
    Command(main, res::kCheckButton);
    Type(main, res::kPathBox, folder.str());
    Command(main, res::kCheckButton);
  });
  ASSERT_GE(script.messages.size(), 1u);
  EXPECT_EQ(script.messages[0].text, "Please choose directory!");
  EXPECT_EQ(caption, "Check");
  EXPECT_EQ(name, "structure");
}

// The report's "Add" button runs the update, with the IDs from the names as
// "All filenames are IDs" is ticked; the report then checks again.
TEST(Win32MainDialog, TheCheckReportsAddButtonUpdatesTheMappingFile) {
  TempFolder folder;
  folder.Write("a.png", kTinyPng);
  folder.Write("7.png", kTinyPng);
  const std::string before =
      "<record>\n\t<list id=\"maps\">\n"
      "\t\t<record from=\"a\" to=\"graphics/pictures/person/1/portrait\"/>\n";
  folder.Write("config.xml", before + "\t</list>\n</record>");
  DialogScript script;
  std::string caption, summary, name, add;
  bool removeShown = true;
  script.Then(res::kReportDialog, [&](Dialog& report) {
    caption = WindowText(report.hwnd());
    summary = report.ItemText(res::kReportSummary);
    name = Cell(report, 0, 2);
    add = report.ItemText(res::kAddNewButton);
    removeShown = IsWindowVisible(report.Item(res::kRemoveMissingButton)) != FALSE;
    script.answers.push_back(MessageButton::Yes);
    Click(report, res::kAddNewButton);
  });
  std::string after;  // clean now, and reported for its IDs
  script.Then(res::kReportDialog, [&](Dialog& report) {
    after = report.ItemText(res::kReportSummary);
    Click(report, IDCANCEL);
  });
  RunMain(script, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    Click(main, res::kAllFilenamesAreIdsBox);
    Command(main, res::kCheckButton);
  });
  EXPECT_EQ(folder.Read("config.xml"),
            before +
                "\t\t<record from=\"7\" to=\"graphics/pictures/person/7/portrait\"/>\n"
                "\t</list>\n</record>");
  EXPECT_EQ(caption, "Check");
  EXPECT_EQ(summary, folder.str() +
                         ": 1 record, 2 pictures, 1 finding; usual size 1x1, 0 pictures of "
                         "another size\nID style: plain (1 record)");
  EXPECT_EQ(name, "7.png");
  EXPECT_EQ(add, "&Add 1 new picture");
  EXPECT_FALSE(removeShown);
  EXPECT_EQ(after, folder.str() +
                       ": 2 records, 2 pictures, 0 findings; usual size 1x1, 0 pictures of "
                       "another size\nNothing is wrong with this pack.\nID style: plain (2 "
                       "records)");
  const auto& shown = script.messages;
  ASSERT_EQ(shown.size(), 3u);  // the last one asks to quit
  EXPECT_EQ(shown[0].text,
            "Add a record for the new picture at the end of the list in config.xml? "
            "Nothing else in the file changes.");
  EXPECT_EQ(shown[0].kind, MessageKind::Question);
  EXPECT_EQ(shown[1].text, "Success! 1 files added in XML file!\n1 record kept, 0 removed.");
}

// A filter hides the other categories' rows; a double click opens the
// editor with the finding's line selected; after a save the report is
// checked again, the filter kept.
TEST(Win32MainDialog, TheReportFiltersAndEditsAFindingsLine) {
  TempFolder folder;
  folder.Write("a.png", kTinyPng);
  folder.Write("stray.png", kTinyPng);
  const std::string head = "<record>\n\t<list id=\"maps\">\n";
  const std::string a = "\t\t<record from=\"a\" to=\"graphics/pictures/person/1/portrait\"/>\n";
  const std::string gone =
      "\t\t<record from=\"gone\" to=\"graphics/pictures/person/2/portrait\"/>\n";
  const std::string lost = "\t\t<record from=\"lost\" to=\"graphics/pictures/person/3/portrait\"/>";
  folder.Write("config.xml", head + a + gone + lost + "\n\t</list>\n</record>\n");
  DialogScript script;
  std::vector<int> rows;
  std::string selected;
  script.Then(res::kReportDialog, [&](Dialog& report) {
    HWND list = report.Item(res::kReportTable);
    rows.push_back(ListView_GetItemCount(list));
    Click(report, res::kReportFilterFirst + 1);  // "missing (2)"
    rows.push_back(ListView_GetItemCount(list));
    ListView_SetItemState(list, 1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    NMHDR click{list, static_cast<UINT_PTR>(res::kReportTable), static_cast<UINT>(NM_DBLCLK)};
    SendMessageW(report.hwnd(), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    rows.push_back(ListView_GetItemCount(list));
    Click(report, IDCANCEL);
  });
  script.Then(res::kEditXmlDialog, [&](Dialog& editor) {
    win32::Win32ScintillaBox box(editor.Item(res::kXmlTextBox));
    const ui::TextRange range = box.Selection();
    selected = box.Bytes().substr(range.begin, range.end - range.begin);
    box.Call(SCI_REPLACESEL, 0, reinterpret_cast<std::intptr_t>(""));
    script.answers.push_back(MessageButton::Ok);  // save? OK
    Click(editor, res::kSaveButton);
  });
  RunMain(script, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    Command(main, res::kCheckButton);
  });
  EXPECT_EQ(rows, (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(selected, lost);
  EXPECT_EQ(folder.Read("config.xml"), head + a + gone + "\n\t</list>\n</record>\n");
}

// A folder with packs below it: the Pack column, the filter by pack, Find
// ID with its answer and picture, and a button of the focused finding's pack.
TEST(Win32MainDialog, TheReportOfSeveralPacksFiltersFindsAnIdAndActsOnAPack) {
  TempFolder folder;
  const auto pack = [](const std::string& from) {
    return "<record>\n\t<list id=\"maps\">\n\t\t<record from=\"" + from +
           "\" to=\"graphics/pictures/person/1/portrait\"/>\n\t</list>\n</record>\n";
  };
  folder.Write("a/x.png", kTinyPng);
  folder.Write("a/config.xml", pack("x"));
  folder.Write("b/config.xml", pack("gone"));
  DialogScript script;
  std::vector<std::string> packs;
  int filtered = 0;
  std::string answer, picture;
  script.Then(res::kReportDialog, [&](Dialog& report) {
    HWND list = report.Item(res::kReportTable);
    packs = {Cell(report, 0, 0), Cell(report, 0, 1), Cell(report, 1, 0), Cell(report, 1, 1)};
    HWND filter = report.Item(res::kReportPackFilter);
    SendMessageW(filter, CB_SETCURSEL, 2, 0);  // b
    SendMessageW(report.hwnd(), WM_COMMAND, MAKEWPARAM(res::kReportPackFilter, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(filter));
    filtered = ListView_GetItemCount(list);
    Type(report, res::kReportFindIdBox, "1");
    Click(report, res::kReportFindIdButton);
    answer = report.ItemText(res::kReportIdAnswer);
    picture = report.ItemText(res::kReportPictureName);
    script.answers.push_back(MessageButton::Yes);
    Click(report, res::kUseGeneratedIdsButton);  // of b, whose finding is focused
  });
  script.Then(res::kReportDialog, [&](Dialog& report) { Click(report, IDCANCEL); });
  RunMain(script, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    Command(main, res::kCheckButton);
  });
  EXPECT_EQ(packs, (std::vector<std::string>{"b", "missing", "a", "clash"}));
  EXPECT_EQ(filtered, 1);
  EXPECT_TRUE(
      answer.ends_with("faces 1: mapped by 2 records: the game shows only one of their "
                       "pictures\r\n"))
      << answer;
  EXPECT_EQ(picture, "a/x.png");
  EXPECT_EQ(folder.Read("a/config.xml"), pack("x"));
  EXPECT_EQ(folder.Read("b/config.xml"),
            "<record>\n\t<list id=\"maps\">\n\t\t<record from=\"gone\" "
            "to=\"graphics/pictures/person/r-1/portrait\"/>\n\t</list>\n</record>\n");
}

TEST(Win32MainDialog, GoInTranslateModeRenamesThePictures) {
  TempFolder folder;
  folder.Write("Alpha.png", "a");
  folder.Write("beta.jpg", "b");
  folder.Write("config.xml",
               "<record>\r\n\t<list id=\"maps\">\r\n"
               "\t\t<record from=\"alpha\" to=\"graphics/pictures/person/7/portrait\"/>\r\n"
               "\t\t<record from=\"beta\" to=\"graphics/pictures/person/8/portrait\"/>\r\n"
               "\t</list>\r\n</record>\r\n");
  DialogScript script;
  RunMain(script, [&](Dialog& main) {
    Type(main, res::kPathBox, folder.str());
    Click(main, res::kTranslateButton);
    Command(main, IDOK);
  });
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"7.png", "8.jpg", "config.xml"}));
  EXPECT_EQ(folder.Read("7.png"), "a");
  ASSERT_GE(script.messages.size(), 1u);
  const auto& report = script.messages[0];
  EXPECT_NE(report.text.find("Renamed 2 of 2 files."), std::string::npos) << report.text;
  EXPECT_EQ(report.kind, MessageKind::Information);
}

TEST(Win32MainDialog, QuitAsksAndCancelKeepsTheWindow) {
  DialogScript script;
  script.Then(res::kMainDialog, [&](Dialog& main) {
    Command(main, IDCANCEL);  // answered Cancel
    EXPECT_FALSE(main.ended());
    script.answers.push_back(MessageButton::Ok);
    SendMessageA(main.hwnd(), WM_CLOSE, 0, 0);  // the close box
  });
  CMainDlg window(script);
  EXPECT_EQ(window.RunModal(nullptr), IDCANCEL);
  const Message quit{"Do you really want to quit?", "Quit?", MessageKind::Confirmation};
  EXPECT_EQ(script.messages, std::vector<Message>(2, quit));
}

TEST(Win32MainDialog, DropsShowTheLastFolderAndRunOnlyWhenAsked) {
  TempFolder first;
  TempFolder second;
  first.Write("1.png");
  second.Write("2.png");
  DialogScript script;
  RunMain(script, [&](Dialog& main) {
    SendMessageA(main.hwnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({first.str(), second.str()})), 0);
    EXPECT_EQ(main.ItemText(res::kPathBox), second.str());
    EXPECT_FALSE(first.Exists("config.xml") || second.Exists("config.xml"));
    Click(main, res::kAllFilenamesAreIdsBox);
    Click(main, res::kProcessDroppedFoldersBox);
    SendMessageA(main.hwnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({first.str(), second.str()})), 0);
  });
  EXPECT_TRUE(first.Exists("config.xml"));
  EXPECT_TRUE(second.Exists("config.xml"));
}

TEST(Win32MainDialog, BrowseSetsThePath) {
  TempFolder folder;
  DialogScript script;
  script.folders = {folder.str()};
  RunMain(script, [&](Dialog& main) {
    Click(main, res::kBrowseButton);
    EXPECT_EQ(main.ItemText(res::kPathBox), folder.str());
  });
}

TEST(Win32MainDialog, TheSystemMenuEntryOpensTheAboutBox) {
  DialogScript script;
  script.Then(res::kAboutDialog, [](Dialog& about) {
    EXPECT_EQ(WindowText(about.hwnd()), "About Mapio");
    EXPECT_EQ(WindowText(GetWindow(about.hwnd(), GW_OWNER)), "Mapio");
    Command(about, IDOK);
  });
  script.Then(res::kAboutDialog, [](Dialog& about) { Command(about, IDCANCEL); });  // Esc
  RunMain(script, [](Dialog& main) {
    // The low four bits are the system's own and do not matter.
    SendMessageA(main.hwnd(), WM_SYSCOMMAND, win32::kAboutCommand | 0x3, 0);
    SendMessageA(main.hwnd(), WM_SYSCOMMAND, win32::kAboutCommand, 0);
  });
}

TEST(Win32MainDialog, DropHelpersAndIconPlacement) {
  const std::vector<std::string> paths = {
      "C:\\a", "C:\\b c", "C:\\\xD0\x9B\xD0\xB8\xD1\x86\xD0\xB0", "C:\\" + std::string(300, 'x')};
  HGLOBAL drop = MakeDrop(paths);
  EXPECT_EQ(win32::DroppedPaths(static_cast<HDROP>(drop)), paths);
  GlobalFree(drop);
  struct Row {
    RECT client;
    int icon;
    POINT at;
  };
  for (const Row& row : {Row{{0, 0, 36, 36}, 32, {2, 2}}, Row{{0, 0, 35, 35}, 32, {2, 2}},
                         Row{{0, 0, 10, 10}, 32, {-10, -10}}}) {
    const POINT at = win32::IconPosition(row.client, row.icon, row.icon);
    EXPECT_EQ(at.x, row.at.x);
    EXPECT_EQ(at.y, row.at.y);
  }
}

}  // namespace
}  // namespace mapio::testing
