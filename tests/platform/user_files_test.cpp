// What a journal stands on, on every system: a file written through a
// mapped window that keeps every piece through a kill, files told apart by
// their identity across renames, and the lock of a folder's jobs.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/picture_files.h"
#include "platform/atomic_writer.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/user_files.h"
#include "tests/support/temp_folder.h"

namespace mapio::platform {
namespace {

using testing::TempFolder;

// A run killed half-way leaves what it wrote, a line cut short and the
// room it had made; the next writer goes on after the last whole line.
TEST(AppendFile, KeepsWhatWasWrittenThroughAKillAndGoesOnAfterTheLastLine) {
  TempFolder t;
  const std::string path = (t.path() / "j").string();
  const std::string many(AppendFile::kWindow + 10, 'a');  // over two windows
  AppendFile file;
  ASSERT_TRUE(file.Create(path));
  file.Write("one\n");
  file.Write(many + "\n");
  file.Write("cut sh");
  file.DropForTesting();
  std::string kept = t.Read("j");
  EXPECT_EQ(kept.size(), 2 * AppendFile::kWindow);  // the room made ahead is there
  EXPECT_EQ(kept.substr(0, 4 + many.size() + 1 + 6), "one\n" + many + "\ncut sh");
  EXPECT_EQ(kept.back(), '\0');

  ASSERT_TRUE(file.Open(path));
  file.Write("two\n");
  EXPECT_TRUE(file.Sync());
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(t.Read("j"), "one\n" + many + "\ntwo\n");
  EXPECT_FALSE(AppendFile().Create(path));  // never over a file that is there
}

// Files keep their identity when renamed; another file under the old name
// has another, whether the folder is listed or looked at name by name.
TEST(FileIdentity, StaysWithTheFileThroughARename) {
  TempFolder t;
  t.Write("a.png", "a");
  t.Write("b.png", "b");
  FolderFiles folder;
  ASSERT_TRUE(folder.Open(t.str()));
  FolderListing before;
  ASSERT_TRUE(ListFolderNumbered(t.str(), before));
  const auto a = LookInFolder(folder, "a.png");
  ASSERT_TRUE(a && a->identity);
  EXPECT_EQ(a->kind, EntryKind::File);
  for (const DirEntry e : before)
    EXPECT_EQ(before.IdentityOf(e.name), LookInFolder(folder, e.name)->identity) << e.name;
  ASSERT_EQ(RenameInFolder(folder, t.str(), "a.png", "1.png"), RenameResult::Renamed);
  t.Write("a.png", "new a");
  FolderListing after;
  ASSERT_TRUE(ListFolderNumbered(t.str(), after));
  for (const DirEntry e : after) {
    if (e.name == "1.png" || e.name == "a.png") {
      EXPECT_EQ(after.IdentityOf(e.name) == a->identity, e.name == "1.png") << e.name;
    }
  }
  EXPECT_EQ(LookInFolder(folder, "1.png")->identity, a->identity);
  EXPECT_FALSE(LookInFolder(folder, "gone.png"));
  t.MakeDir("sub");
  EXPECT_EQ(LookInFolder(folder, "sub")->kind, EntryKind::Directory);
}

// A second job of the same folder finds it taken until the first lets go,
// whatever path it came by.
TEST(FolderJobLock, IsTakenByOneJobOfAFolderAtATime) {
  TempFolder t;
  t.MakeDir("pack");
  const std::string pack = (t.path() / "pack").string();
  {
    FolderJobLock first;
    ASSERT_EQ(first.Take(pack), FolderJobLock::State::Held);
    FolderJobLock second;
    EXPECT_EQ(second.Take(JoinPath(pack, ".")), FolderJobLock::State::Busy);
    FolderJobLock other;
    EXPECT_EQ(other.Take(t.str()), FolderJobLock::State::Held);
  }
  FolderJobLock again;
  EXPECT_EQ(again.Take(pack), FolderJobLock::State::Held);
  EXPECT_EQ(FolderJobLock().Take(JoinPath(pack, "gone")), FolderJobLock::State::Unknown);
}

#ifndef _WIN32
// A link where a journal should be is neither written through nor opened.
TEST(AppendFile, RefusesALink) {
  TempFolder t;
  t.Write("elsewhere", "keep\n");
  std::filesystem::create_symlink(t.path() / "elsewhere", t.path() / "j");
  const std::string path = (t.path() / "j").string();
  EXPECT_FALSE(AppendFile().Create(path));
  EXPECT_FALSE(AppendFile().Open(path));
  EXPECT_EQ(t.Read("elsewhere"), "keep\n");
}
#endif

}  // namespace
}  // namespace mapio::platform
