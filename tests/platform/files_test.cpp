// Listing, renaming, reading and writing on a real disk, in a fresh folder per test.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/platform_posix_detail.h"
#include "tests/support/temp_folder.h"

namespace mapio::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Taken while the test program loads, before any test changes directory.
const std::string kStartup = CurrentDirectory();

std::vector<std::string> Names(const FolderListing& entries) {
  std::vector<std::string> names;
  for (const DirEntry e : entries) names.emplace_back(e.name);
  return names;
}

TEST(ListFolder, GivesEveryEntryWithItsKindInNtfsOrder) {
  TempFolder t;
  // U+1F600 is a surrogate pair in UTF-16, which sorts it before U+FF21.
  for (const char* name : {"a_b", "B.png", "aab", "\xFF", "\xC3\xA9", ".hidden", "ABC", "abc",
                           "\xEF\xBC\xA1", "\xF0\x9F\x98\x80"}) {
    t.Write(name, "x");
  }
  t.MakeDir("Sub");
  fs::create_directory_symlink(t.path() / "Sub", t.path() / "linkdir");
  fs::create_symlink(t.path() / "nowhere", t.path() / "broken");

  FolderListing entries;
  ASSERT_TRUE(ListFolder(t.str(), entries));
  const std::vector<std::string> expected = {
      ".hidden",     "aab",     "ABC", "abc",      "a_b",  "B.png",
      "broken",      "linkdir", "Sub", "\xC3\xA9", "\xFF", "\xF0\x9F\x98\x80",
      "\xEF\xBC\xA1"};
  EXPECT_EQ(Names(entries), expected);
  for (const DirEntry e : entries) {
    EXPECT_EQ(e.IsDirectory(), e.name == "Sub" || e.name == "linkdir") << e.name;
  }
  const std::vector<std::string> names = Names(entries);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                             [](const auto& a, const auto& b) { return CompareNames(a, b) < 0; }));
  ASSERT_TRUE(ListFolder(t.str(), entries, ListOrder::AsStored));
  std::vector<std::string> stored = Names(entries);
  std::sort(stored.begin(), stored.end(),
            [](const auto& a, const auto& b) { return CompareNames(a, b) < 0; });
  EXPECT_EQ(stored, expected);
}

TEST(ListFolder, FailsEmptyWhenTheFolderCannotBeRead) {
  TempFolder t;
  t.Write("file", "x");
  FolderListing entries;
  entries.Add("stale");
  EXPECT_FALSE(ListFolder((t.path() / "missing").string(), entries));
  EXPECT_TRUE(entries.Empty());
  entries.Add("stale");
  EXPECT_FALSE(ListFolder((t.path() / "file").string(), entries));
  EXPECT_TRUE(entries.Empty());
  EXPECT_TRUE(ListFolder(t.str() + "/", entries));
  EXPECT_EQ(Names(entries), std::vector<std::string>{"file"});
}

TEST(Directories, AbsolutePathsAgainstTheCurrentOne) {
  EXPECT_EQ(AbsolutePath(""), "");
  EXPECT_EQ(AbsolutePath("/abs/x"), "/abs/x");
  EXPECT_EQ(AbsolutePath("rel/x"), kStartup + "/rel/x");
}

TEST(Files, ExistsDirectoryAndSameFile) {
  TempFolder t;
  t.Write("a", "1");
  t.Write("b", "1");
  t.MakeDir("d");
  fs::create_hard_link(t.path() / "a", t.path() / "a2");
  fs::create_symlink(t.path() / "nowhere", t.path() / "broken");
  const auto p = [&t](const char* name) { return (t.path() / name).string(); };

  EXPECT_TRUE(FileExists(p("a")));
  EXPECT_TRUE(FileExists(p("d")));
  EXPECT_TRUE(FileExists(p("broken")));  // an entry, though it leads nowhere
  EXPECT_FALSE(FileExists(p("none")));
  EXPECT_TRUE(IsDirectory(p("d")));
  EXPECT_FALSE(IsDirectory(p("a")));
  EXPECT_FALSE(IsDirectory(p("none")));

  EXPECT_TRUE(SameFile(p("a"), p("a2")));
  EXPECT_FALSE(SameFile(p("a"), p("b")));  // same bytes, other file
  EXPECT_FALSE(SameFile(p("a"), p("none")));
}

// Every way of renaming must keep the same promises.
using RenameFn = RenameResult (*)(const std::string&, const std::string&);

class Rename : public ::testing::TestWithParam<RenameFn> {
 protected:
  RenameResult Run(const std::string& from, const std::string& to) {
    return GetParam()(t.str() + "/" + from, t.str() + "/" + to);
  }
  TempFolder t;
};

TEST_P(Rename, NeverReplacesAnExistingEntry) {
  t.Write("from", "new");
  t.Write("file", "old");
  t.MakeDir("dir");
  fs::create_symlink(t.path() / "nowhere", t.path() / "broken");
  for (const char* target : {"file", "dir", "broken"}) {
    EXPECT_EQ(Run("from", target), RenameResult::TargetExists) << target;
  }
  EXPECT_EQ(t.Read("from"), "new");
  EXPECT_EQ(t.Read("file"), "old");
  EXPECT_TRUE(fs::is_symlink(t.path() / "broken"));
}

TEST_P(Rename, MovesTheFileOrTellsWhyNot) {
  t.Write("from", "x");
  EXPECT_EQ(Run("none", "to"), RenameResult::SourceMissing);
  EXPECT_EQ(Run("none", "from"), RenameResult::SourceMissing);
  EXPECT_EQ(Run("from", "nofolder/to"), RenameResult::Failed);
  EXPECT_EQ(Run("from", "1.png"), RenameResult::Renamed);
  EXPECT_EQ(t.List(), std::vector<std::string>{"1.png"});
  EXPECT_EQ(t.Read("1.png"), "x");
}

INSTANTIATE_TEST_SUITE_P(AllWays, Rename,
                         ::testing::Values(&RenameNoReplace, &detail::RenameByLink,
                                           &detail::RenameChecked));

TEST(TextReader, GivesBytesAsOnDiskPieceByPiece) {
  TempFolder t;
  t.Write("f", std::string("ab\r\ncdefgh\n\0z", 13));
  TextReader r;
  ASSERT_TRUE(r.Open(t.str() + "/f"));
  char buf[5];
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 4u);
  EXPECT_STREQ(buf, "ab\r\n");
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 4u);  // a long line comes in pieces
  EXPECT_STREQ(buf, "cdef");
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 3u);
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 2u);  // NUL counted, last line without LF
  EXPECT_EQ(std::string(buf, 2), std::string("\0z", 2));
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 0u);

  ASSERT_TRUE(r.Open(t.str() + "/f"));
  std::string all;
  EXPECT_EQ(r.ReadPiece(buf, sizeof buf), 4u);
  ASSERT_TRUE(r.ReadAll(all));
  EXPECT_EQ(all, std::string("cdefgh\n\0z", 9));
  EXPECT_FALSE(r.Open(t.str() + "/missing"));
  EXPECT_FALSE(r.IsOpen());
}

// config.xml as a downloaded archive may carry it: whatever it is, reading
// it ends at once, and only a regular file is read.
TEST(ReadWholeFile, ReadsRegularFilesOnlyAndNeverWaits) {
  TempFolder t;
  t.Write("file", "<list/>");
  t.MakeDir("folder");
  fs::create_symlink(t.path() / "file", t.path() / "link");
  fs::create_symlink("/dev/zero", t.path() / "zero");
  ASSERT_EQ(mkfifo((t.path() / "fifo").c_str(), 0644), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = t.str() + "/socket";
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
  ASSERT_EQ(bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  t.Write("secret", "x");
  ASSERT_EQ(chmod((t.path() / "secret").c_str(), 0), 0);
  const bool root = geteuid() == 0;  // reads any file

  struct Row {
    const char* name;
    ReadResult result;
    std::string_view bytes;
  };
  const Row rows[] = {
      {"file", ReadResult::Ok, "<list/>"},
      {"link", ReadResult::Ok, "<list/>"},
      {"missing", ReadResult::Missing, ""},
      {"file/below", ReadResult::Missing, ""},
      {"folder", ReadResult::NotAFile, ""},
      {"zero", ReadResult::NotAFile, ""},
      {"fifo", ReadResult::NotAFile, ""},
      {"socket", ReadResult::NotAFile, ""},
      {"secret", root ? ReadResult::Ok : ReadResult::NoPermission, root ? "x" : ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = t.str() + "/" + row.name;
    std::string bytes = "stale";
    FileStamp stamp;
    EXPECT_EQ(ReadWholeFile(path, bytes, stamp), row.result);
    EXPECT_EQ(bytes, row.bytes);
    const bool ok = row.result == ReadResult::Ok;
    if (ok) {
      EXPECT_EQ(stamp, StampOf(path));
    }
    TextReader reader;
    EXPECT_EQ(reader.Open(path), ok);
    EXPECT_EQ(reader.OpenResult(), row.result);
    std::string pieces;
    EXPECT_EQ(ReadFileInPieces(path, stamp,
                               [&](std::string_view piece) {
                                 pieces += piece;
                                 return true;
                               }),
              row.result);
    EXPECT_EQ(pieces, row.bytes);
  }
  close(sock);
}

// The editor takes a large file a piece at a time, sized by the stamp it
// has before the first piece.
TEST(ReadFileInPieces, HandsOnEveryByteInPiecesAfterTheStamp) {
  TempFolder t;
  std::string bytes(5 << 19, 'x');  // two and a half pieces
  bytes[3 << 19] = '\0';
  t.Write("big", bytes);
  const std::string path = t.str() + "/big";
  FileStamp stamp;
  std::vector<std::size_t> sizes;
  std::string joined;
  const auto take = [&](std::string_view piece) {
    EXPECT_EQ(stamp.size, bytes.size());
    sizes.push_back(piece.size());
    joined += piece;
    return true;
  };
  EXPECT_EQ(ReadFileInPieces(path, stamp, take), ReadResult::Ok);
  EXPECT_EQ(sizes, (std::vector<std::size_t>{1 << 20, 1 << 20, 1 << 19}));
  EXPECT_EQ(joined, bytes);
  EXPECT_EQ(ReadFileInPieces(path, stamp, [](std::string_view) { return false; }),
            ReadResult::Failed);
  EXPECT_EQ(ReadFileInPieces(path, stamp, take, bytes.size() - 1), ReadResult::TooLarge);
}

TEST(ReadWholeFile, RefusesAFileOverTheLimitBeforeReadingIt) {
  TempFolder t;
  t.Write("small", "0123456789");
  const std::string small = t.str() + "/small";
  std::string bytes;
  FileStamp stamp;
  EXPECT_EQ(ReadWholeFile(small, bytes, stamp, 9), ReadResult::TooLarge);
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(ReadWholeFile(small, bytes, stamp, 10), ReadResult::Ok);
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_EQ(stamp.size, 10u);

  // Sparse: a size on paper only, so that refusing it must not read it.
  const std::string huge = t.str() + "/huge";
  t.Write("huge");
  ASSERT_EQ(truncate(huge.c_str(), kMaxMappingFileSize + 1), 0);
  EXPECT_EQ(ReadWholeFile(huge, bytes, stamp), ReadResult::TooLarge);
  EXPECT_EQ(kMaxMappingFileSize, std::size_t{1} << 30);
}

// What each entry of a pack is, and where its links lead: into the pack,
// out of it (however the link is spelt), to a device, a pipe or nothing.
TEST(ListFolder, TellsEachEntryWhatItIsAndFollowLinkWhereItLeads) {
  TempFolder t;
  t.Write("outside.png", "x");
  t.Write("pack/file.png", "x");
  t.Write("pack/sub/deep.png", "x");
  const fs::path pack = t.path() / "pack";
  ASSERT_EQ(mkfifo((pack / "fifo.png").c_str(), 0600), 0);
  const std::pair<const char*, const char*> links[] = {
      {"in.png", "sub/deep.png"},
      {"out.png", "../outside.png"},
      {"sneaky.png", "sub/../../outside.png"},
      {"zero.png", "/dev/zero"},
      {"none.png", "nowhere.png"},
      {"pipe.png", "fifo.png"},
      {"dir", "sub"},
  };
  for (const auto& [name, target] : links) fs::create_symlink(target, pack / name);
  FolderListing entries;
  ASSERT_TRUE(ListFolder(pack.string(), entries));
  std::vector<std::pair<std::string, EntryKind>> kinds;
  for (const DirEntry e : entries) kinds.emplace_back(e.name, e.kind);
  using K = EntryKind;
  EXPECT_EQ(kinds, (std::vector<std::pair<std::string, EntryKind>>{{"dir", K::Directory},
                                                                   {"fifo.png", K::Fifo},
                                                                   {"file.png", K::File},
                                                                   {"in.png", K::Link},
                                                                   {"none.png", K::Link},
                                                                   {"out.png", K::Link},
                                                                   {"pipe.png", K::Link},
                                                                   {"sneaky.png", K::Link},
                                                                   {"sub", K::Directory},
                                                                   {"zero.png", K::Link}}));
  const struct {
    const char* name;
    EntryKind kind;
    bool inside;
  } rows[] = {
      {"in.png", K::File, true},      {"out.png", K::File, false},  {"sneaky.png", K::File, false},
      {"zero.png", K::Device, false}, {"none.png", K::Link, false}, {"pipe.png", K::Fifo, true},
  };
  for (const auto& row : rows) {
    const LinkEnd end = FollowLink((pack / row.name).string(), pack.string() + "/");
    EXPECT_EQ(end.kind, row.kind) << row.name;
    EXPECT_EQ(end.inside, row.inside) << row.name;
  }
  // The pack itself reached through a link.
  fs::create_directory_symlink(pack, t.path() / "alias");
  EXPECT_TRUE(FollowLink((pack / "in.png").string(), (t.path() / "alias").string()).inside);
}

TEST(StampOf, FollowsALinkAndChangesWithTheFile) {
  TempFolder t;
  t.Write("a", "one");
  fs::create_symlink(t.path() / "a", t.path() / "link");
  const std::string a = t.str() + "/a";
  const std::optional<FileStamp> before = StampOf(a);
  ASSERT_TRUE(before);
  EXPECT_EQ(StampOf(t.str() + "/link"), before);
  EXPECT_EQ(StampOf(t.str() + "/missing"), std::nullopt);
  t.Write("a", "one more");
  EXPECT_NE(StampOf(a), before);  // its size
  const std::optional<FileStamp> grown = StampOf(a);
  t.Write("b", "one more");
  fs::rename(t.path() / "b", t.path() / "a");
  EXPECT_NE(StampOf(a), grown);  // another file under the name
}

}  // namespace
}  // namespace mapio::platform
