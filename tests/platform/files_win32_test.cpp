// Windows files on a real disk: listing, renames, identity, names in every
// script and beyond MAX_PATH, and CR LF on disk for every text file. A
// fresh folder per test.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/wide_win32.h"
#include "tests/support/temp_folder.h"

namespace mapio::platform {
namespace {

using testing::TempFolder;

const std::string kStartup = CurrentDirectory();

std::string In(const TempFolder& t, const std::string& name) { return JoinPath(t.str(), name); }

std::vector<std::string> Names(const FolderListing& entries) {
  std::vector<std::string> names;
  for (const DirEntry e : entries) names.emplace_back(e.name);
  return names;
}

TEST(PathsWin32, DrivesAndUncPathsAreAbsolute) {
  struct Row {
    const char* path;
    bool absolute;
  };
  const Row rows[] = {
      {"C:\\pics", true}, {"c:/pics", true}, {"\\\\server\\share\\x", true},
      {"\\pics", true},   {"C:pics", true},  {"pics\\x", false},
      {".\\x", false},    {"..\\x", false},  {"", false},
  };
  for (const Row& row : rows) EXPECT_EQ(IsAbsolutePath(row.path), row.absolute) << row.path;
  EXPECT_EQ(JoinPath("pics", "config.xml"), "pics\\config.xml");
  EXPECT_EQ(JoinPath("C:\\", "a"), "C:\\\\a");
  EXPECT_EQ(AbsolutePath("D:\\x"), "D:\\x");
  // A drive's root already ends in its separator.
  const std::string sep = kStartup.ends_with('\\') ? "" : "\\";
  EXPECT_EQ(AbsolutePath("rel\\x"), kStartup + sep + "rel\\x");
  EXPECT_EQ(kMaxFolderPath, 32767u);
}

TEST(ListFolderWin32, SortsLikeNtfsAndMarksFolders) {
  TempFolder t;
  for (const char* name : {"a_b", "B.png", "aab", ".hidden", "abc"}) t.Write(name, "x");
  t.MakeDir("Sub");
  FolderListing entries;
  ASSERT_TRUE(ListFolder(t.str(), entries));
  EXPECT_EQ(Names(entries),
            (std::vector<std::string>{".hidden", "aab", "abc", "a_b", "B.png", "Sub"}));
  for (const DirEntry e : entries) EXPECT_EQ(e.IsDirectory(), e.name == "Sub") << e.name;

  // A folder path that ends in a separator gets a second one; Windows takes it.
  ASSERT_TRUE(ListFolder(t.str() + "\\", entries));
  EXPECT_EQ(entries.Size(), 6u);
  ASSERT_TRUE(ListFolder(In(t, "Sub"), entries));
  EXPECT_TRUE(entries.Empty());
  entries.Add("stale");
  EXPECT_FALSE(ListFolder(In(t, "missing"), entries));
  EXPECT_TRUE(entries.Empty());
  EXPECT_FALSE(ListFolder(In(t, "abc"), entries));
}

// Names are made here with the wide API itself, so that what comes back is
// checked against the system, not against Mapio's own conversion.
void MakeFile(const TempFolder& t, const std::wstring& name) {
  const std::wstring path = Widen(t.str()) + L"\\" + name;
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

TEST(ListFolderWin32, NamesInEveryScriptComeAndGoAsUtf8) {
  TempFolder t;
  MakeFile(t, L"\u0418\u0432\u0430\u043D\u043E\u0432.PNG");  // Иванов
  MakeFile(t, L"\u0141ukasz.png");
  MakeFile(t, L"\U0001F600.png");
  MakeFile(t, L"M\u00FCller.png");
  FolderListing entries;
  ASSERT_TRUE(ListFolder(t.str(), entries));
  const std::string ivanov = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2.PNG";
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"M\xC3\xBCller.png", "\xC5\x81ukasz.png",
                                                      ivanov, "\xF0\x9F\x98\x80.png"}));
  EXPECT_TRUE(FileExists(In(t, "\xC5\x82ukasz.png")));  // ł: found in any case, as ASCII is
  EXPECT_EQ(RenameNoReplace(In(t, ivanov), In(t, "1.png")), RenameResult::Renamed);
  EXPECT_EQ(RenameNoReplace(In(t, "1.png"), In(t, "\xE6\x9D\x8E.png")), RenameResult::Renamed);
  EXPECT_TRUE(FileExists(In(t, "\xE6\x9D\x8E.png")));
  // Bytes that are no UTF-8 name nothing on disk, though a code page would
  // read them as an existing name.
  EXPECT_FALSE(FileExists(In(t, "M\xFCller.png")));
  EXPECT_EQ(RenameNoReplace(In(t, "M\xFCller.png"), In(t, "2.png")), RenameResult::SourceMissing);
}

// A symbolic link is told from a file, and followed to where it leads:
// inside the pack or out of it.
TEST(ListFolderWin32, TellsLinksAndWhereTheyLead) {
  TempFolder t;
  t.Write("outside.png", "x");
  t.Write("pack\\face.png", "x");
  const std::wstring pack = Widen(In(t, "pack"));
  const auto link = [&](const wchar_t* name, const std::wstring& target) {
    return CreateSymbolicLinkW((pack + L"\\" + name).c_str(), target.c_str(),
                               SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
  };
  if (!link(L"in.png", pack + L"\\face.png")) GTEST_SKIP() << "no links may be made here";
  ASSERT_TRUE(link(L"out.png", Widen(In(t, "outside.png"))));
  FolderListing entries;
  ASSERT_TRUE(ListFolder(In(t, "pack"), entries));
  for (const DirEntry e : entries)
    EXPECT_EQ(e.kind, e.name == "face.png" ? EntryKind::File : EntryKind::Link) << e.name;
  // Wine makes links that it does not follow itself.
  const HANDLE through = CreateFileW((pack + L"\\in.png").c_str(), 0, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (through == INVALID_HANDLE_VALUE) GTEST_SKIP() << "this system does not follow its links";
  CloseHandle(through);
  const LinkEnd in = FollowLink(In(t, "pack\\in.png"), In(t, "pack"));
  EXPECT_EQ(in.kind, EntryKind::File);
  EXPECT_TRUE(in.inside);
  const LinkEnd out = FollowLink(In(t, "pack\\out.png"), In(t, "pack"));
  EXPECT_EQ(out.kind, EntryKind::File);
  EXPECT_FALSE(out.inside);
}

// NTFS takes any 16-bit units in a name, a lone surrogate too: such a name
// still comes back to the system as it was.
TEST(ListFolderWin32, ALoneSurrogateInANameSurvivesTheRoundTrip) {
  TempFolder t;
  const std::wstring name = L"a\xD800.png";
  const std::wstring path = Widen(t.str()) + L"\\" + name;
  const HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) GTEST_SKIP() << "this file system takes no such name";
  CloseHandle(h);
  FolderListing entries;
  ASSERT_TRUE(ListFolder(t.str(), entries));
  ASSERT_EQ(entries.Size(), 1u);
  EXPECT_EQ(entries[0].name, "a\xED\xA0\x80.png");
  EXPECT_EQ(RenameNoReplace(In(t, std::string(entries[0].name)), In(t, "1.png")),
            RenameResult::Renamed);
  EXPECT_EQ(t.List(), std::vector<std::string>{"1.png"});
}

TEST(PathsWin32, LongPathsGoBehindThePrefix) {
  const std::string folder = "C:\\" + std::string(300, 'x');
  struct Row {
    std::string path;
    std::wstring system;
  };
  const Row rows[] = {
      {"C:\\pics\\a.png", L"C:\\pics\\a.png"},  // short: as it is
      {"pics/\xC3\xA9", L"pics/\u00E9"},
      {folder + "\\a.png", L"\\\\?\\" + Widen(folder) + L"\\a.png"},
      {folder + "/b/../a.png", L"\\\\?\\" + Widen(folder) + L"\\a.png"},  // made full first
      {"\\\\server\\share\\" + std::string(300, 'y'),
       L"\\\\?\\UNC\\server\\share\\" + std::wstring(300, L'y')},
      {"\\\\?\\" + folder, L"\\\\?\\" + Widen(folder)},  // already there
      {"C:\\M\xFCller", L""},                            // no UTF-8: no path
  };
  for (const Row& row : rows) EXPECT_EQ(SystemPath(row.path), row.system) << row.path;
}

// Folders deeper than MAX_PATH: every file operation of the jobs works there.
TEST(FilesWin32, WorkBeyondMaxPath) {
  TempFolder t;
  std::string folder = t.str();
  while (folder.size() < 2 * MAX_PATH) {
    folder += "\\" + std::string(60, 'd');
    ASSERT_TRUE(CreateDirectoryW(SystemPath(folder).c_str(), nullptr)) << folder.size();
  }
  const std::string config = JoinPath(folder, "config.xml");
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(config));
  ASSERT_TRUE(w.Write("<list>\n"));
  ASSERT_TRUE(w.Commit());
  TextReader r;
  ASSERT_TRUE(r.Open(config));
  std::string text;
  ASSERT_TRUE(r.ReadAll(text));
  EXPECT_EQ(text, "<list>\n");
  r.Close();
  EXPECT_EQ(RenameNoReplace(config, JoinPath(folder, "\xE6\x9D\x8E.xml")), RenameResult::Renamed);
  FolderListing entries;
  ASSERT_TRUE(ListFolder(folder, entries));
  EXPECT_EQ(Names(entries), std::vector<std::string>{"\xE6\x9D\x8E.xml"});
  EXPECT_TRUE(IsDirectory(folder));
  EXPECT_TRUE(SameFile(folder, folder + "\\."));
  // TempFolder's own clean-up stops at MAX_PATH.
  DeleteFileW(SystemPath(JoinPath(folder, "\xE6\x9D\x8E.xml")).c_str());
  for (; folder.size() > t.str().size(); folder.resize(folder.rfind('\\'))) {
    RemoveDirectoryW(SystemPath(folder).c_str());
  }
}

TEST(LegacyNameToUtf8Win32, ReadsTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the system code page is not Windows-1252";
  EXPECT_EQ(LegacyNameToUtf8("M\xFCller \x80"), "M\xC3\xBCller \xE2\x82\xAC");
  EXPECT_EQ(LegacyNameToUtf8(""), "");
}

TEST(FilesWin32, IdentityIgnoresCaseAndSeparators) {
  TempFolder t;
  t.Write("a", "1");
  t.Write("b", "1");
  t.MakeDir("d");
  EXPECT_TRUE(FileExists(In(t, "A")));
  EXPECT_TRUE(IsDirectory(In(t, "D")));
  EXPECT_FALSE(IsDirectory(In(t, "a")));
  EXPECT_FALSE(FileExists(In(t, "none")));
  EXPECT_TRUE(SameFile(In(t, "a"), In(t, "A")));
  EXPECT_TRUE(SameFile(In(t, "a"), t.str() + "/d/../a"));
  EXPECT_TRUE(SameFile(In(t, "d"), In(t, "D")));  // folders too
  EXPECT_FALSE(SameFile(In(t, "a"), In(t, "b")));
  EXPECT_FALSE(SameFile(In(t, "none"), In(t, "none")));
}

TEST(RenameWin32, NeverReplacesAndTellsWhy) {
  struct Row {
    const char* from;
    const char* to;
    RenameResult result;
  };
  const Row rows[] = {
      {"from", "file", RenameResult::TargetExists},
      {"from", "FILE", RenameResult::TargetExists},  // names ignore case
      {"from", "dir", RenameResult::TargetExists},
      {"none", "to", RenameResult::SourceMissing},
      {"none", "file", RenameResult::SourceMissing},
      {"from", "nofolder\\to", RenameResult::Failed},
      {"from", "from", RenameResult::TargetExists},  // not "done", as MoveFileEx has it
      {"from", "From", RenameResult::Renamed},       // a change of case is a rename
      {"FROM", "1.png", RenameResult::Renamed},      // found in any case
  };
  TempFolder t;
  t.Write("from", "new");
  t.Write("file", "old");
  t.MakeDir("dir");
  for (const Row& row : rows) {
    EXPECT_EQ(RenameNoReplace(In(t, row.from), In(t, row.to)), row.result) << row.from << row.to;
  }
  EXPECT_EQ(t.List(), (std::vector<std::string>{"1.png", "dir", "file"}));
  // (Windows shows the new case afterwards; Wine keeps the old one.)
  EXPECT_EQ(RenameNoReplace(In(t, "1.png"), In(t, "1.PNG")), RenameResult::Renamed);
  EXPECT_EQ(t.Read("1.png"), "new");
  EXPECT_EQ(t.Read("file"), "old");
}

TEST(TextReaderWin32, ReadsEveryCrLfAsLf) {
  TempFolder t;
  // A lone CR stays; Ctrl-Z (0x1A) is a byte like any other, not the end.
  t.Write("f", "ab\r\nc\rd\r\n\x1Atail\r\n\r");
  TextReader r;
  ASSERT_TRUE(r.Open(In(t, "f")));
  char buf[5];
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 3u);
  EXPECT_STREQ(buf, "ab\n");
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 4u);
  EXPECT_STREQ(buf, "c\rd\n");
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 4u);  // a long line comes in pieces
  EXPECT_STREQ(buf, "\x1Atai");
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 2u);
  EXPECT_STREQ(buf, "l\n");
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 1u);
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 0u);

  ASSERT_TRUE(r.Open(In(t, "f")));
  std::string all;
  ASSERT_TRUE(r.ReadAll(all));
  EXPECT_EQ(all, "ab\nc\rd\n\x1Atail\n\r");
  ASSERT_TRUE(r.Open(In(t, "f"), FileMode::Binary));  // for code that keeps line ends itself
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 4u);
  EXPECT_STREQ(buf, "ab\r\n");
  ASSERT_TRUE(r.ReadAll(all));
  EXPECT_EQ(all, "c\rd\r\n\x1Atail\r\n\r");
  EXPECT_FALSE(r.Open(In(t, "missing")));
}

// Only a file on a disk is read: not a folder, not a device such as NUL.
TEST(ReadWholeFileWin32, ReadsDiskFilesOnly) {
  TempFolder t;
  t.Write("file", "<list/>\r\n");
  t.MakeDir("folder");
  struct Row {
    std::string path;
    ReadResult result;
  };
  const Row rows[] = {
      {In(t, "file"), ReadResult::Ok},
      {In(t, "missing"), ReadResult::Missing},
      {In(t, "missing\\file"), ReadResult::Missing},
      {In(t, "folder"), ReadResult::NotAFile},
      {"NUL", ReadResult::NotAFile},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    std::string bytes;
    FileStamp stamp;
    EXPECT_EQ(ReadWholeFile(row.path, bytes, stamp), row.result);
    TextReader reader;
    EXPECT_EQ(reader.Open(row.path), row.result == ReadResult::Ok);
    EXPECT_EQ(reader.OpenResult(), row.result);
  }
  std::string bytes;
  FileStamp stamp;
  ASSERT_EQ(ReadWholeFile(In(t, "file"), bytes, stamp, 8), ReadResult::TooLarge);
  ASSERT_EQ(ReadWholeFile(In(t, "file"), bytes, stamp), ReadResult::Ok);
  EXPECT_EQ(bytes, "<list/>\r\n");  // as on disk
  EXPECT_EQ(StampOf(In(t, "FILE")), stamp);
  EXPECT_EQ(StampOf(In(t, "missing")), std::nullopt);
}

class AtomicWriterWin32 : public ::testing::Test {
 protected:
  TempFolder t;
};

TEST_F(AtomicWriterWin32, RefusesReadOnlyFilesAndFolders) {
  t.Write("config.xml", "old");
  ASSERT_TRUE(SetFileAttributesA(In(t, "config.xml").c_str(), FILE_ATTRIBUTE_READONLY));
  t.MakeDir("folder");
  AtomicFileWriter w;
  EXPECT_FALSE(w.Open(In(t, "config.xml")));
  EXPECT_EQ(w.Failure(), WriteFailure::TargetReadOnly);
  EXPECT_TRUE(w.TargetRefused());
  EXPECT_FALSE(w.Open(In(t, "folder")));
  EXPECT_EQ(w.Failure(), WriteFailure::NotAFile);
  ASSERT_TRUE(SetFileAttributesA(In(t, "config.xml").c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(t.Read("config.xml"), "old");
  EXPECT_EQ(t.List(), (std::vector<std::string>{"config.xml", "folder"}));
}

// Changed by another program between the reading and the commit: nothing
// is written, and the other program's file stays.
TEST_F(AtomicWriterWin32, ReplacesOnlyTheFileAsItWasRead) {
  for (const bool changed : {false, true}) {
    SCOPED_TRACE(changed);
    t.Write("config.xml", "old");
    std::string bytes;
    FileStamp stamp;
    ASSERT_EQ(ReadWholeFile(In(t, "config.xml"), bytes, stamp), ReadResult::Ok);
    const ExpectedTarget expected(stamp, bytes);
    AtomicFileWriter w({.beforeCompare = [&] {
      if (changed) t.Write("config.xml", "new");
    }});
    ASSERT_TRUE(w.Open(In(t, "config.xml"), FileMode::Binary, &expected));
    ASSERT_TRUE(w.Write("mine"));
    EXPECT_EQ(w.Commit(), !changed);
    EXPECT_EQ(w.Failure(), changed ? WriteFailure::TargetChanged : WriteFailure::None);
    EXPECT_EQ(t.Read("config.xml"), changed ? "new" : "mine");
    EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
  }
  const ExpectedTarget absent(std::nullopt);
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(In(t, "config.xml"), FileMode::Binary, &absent));
  EXPECT_FALSE(w.Commit());
  EXPECT_EQ(w.Failure(), WriteFailure::TargetChanged);
}

TEST_F(AtomicWriterWin32, WritesCrLfAndReplacesOnCommit) {
  t.Write("config.xml", "old");
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(In(t, "config.xml")));
  EXPECT_TRUE(IsTemporaryName(w.TempPath().substr(t.str().size() + 1), "config.xml"));
  std::string big;
  for (int i = 0; i < 60000; ++i) big += "<record from=\"" + std::to_string(i) + "\"/>\n";
  ASSERT_TRUE(w.Write("<a>\n\t\n"));
  ASSERT_TRUE(w.Write(big));
  EXPECT_EQ(t.Read("config.xml"), "old");  // nothing shows before Commit
  ASSERT_TRUE(w.Commit());
  const std::string disk = t.Read("config.xml");
  EXPECT_EQ(disk.substr(0, 8), "<a>\r\n\t\r\n");
  EXPECT_EQ(t.ReadText("config.xml"), "<a>\n\t\n" + big);
  EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});

  ASSERT_TRUE(w.Open(In(t, "config.xml"), FileMode::Binary));
  ASSERT_TRUE(w.Write("a\nb\r\n"));
  ASSERT_TRUE(w.Commit());
  EXPECT_EQ(t.Read("config.xml"), "a\nb\r\n");
}

TEST_F(AtomicWriterWin32, FailureLeavesTheOldFileAndNoTemporary) {
  // Limits count bytes on disk, so "\n" costs two.
  for (std::size_t limit : {std::size_t{0}, std::size_t{3}, std::size_t{5}}) {
    SCOPED_TRACE(limit);
    t.Write("config.xml", "old");
    AtomicFileWriter w({.failAfterBytes = limit});
    ASSERT_TRUE(w.Open(In(t, "config.xml")));
    w.Write("ab\ncd");
    EXPECT_FALSE(w.Commit());
    EXPECT_EQ(t.Read("config.xml"), "old");
    EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
  }
  AtomicFileWriter w({.failAfterBytes = 6});
  ASSERT_TRUE(w.Open(In(t, "config.xml")));
  w.Write("ab\ncd");
  EXPECT_TRUE(w.Commit());
  EXPECT_EQ(t.Read("config.xml"), "ab\r\ncd");

  // The longest name the folder takes: its temporary name must be cut to fit.
  const std::string longName(MAX_PATH - 1 - t.str().size() - 1, 'n');
  ASSERT_TRUE(w.Open(In(t, longName)));
  ASSERT_TRUE(w.Write("x"));
  EXPECT_TRUE(w.Commit());
  EXPECT_EQ(t.Read(longName), "x");

  AtomicFileWriter none;
  EXPECT_FALSE(none.Open(In(t, "missing\\config.xml")));
  EXPECT_FALSE(none.Commit());
}

}  // namespace
}  // namespace mapio::platform
