// What must never happen when a folder's files are read: a link followed
// out of the folder, a wait on a pipe, a changed access time.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "platform/picture_files.h"
#include "tests/support/temp_folder.h"

namespace mapio::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(FolderFilesPosix, NeitherFollowsLinksNorWaitsOnPipes) {
  TempFolder t;
  t.Write("outside.png", "secret");
  t.MakeDir("pack");
  fs::create_symlink(t.path() / "outside.png", t.path() / "pack" / "link.png");
  ASSERT_EQ(mkfifo((t.path() / "pack" / "pipe.png").c_str(), 0600), 0);
  FolderFiles folder;
  ASSERT_TRUE(folder.Open((t.path() / "pack").string()));
  FolderFile file;
  char head[kFileHeadSize];
  // A pipe with no writer: a blocking open would never return.
  for (const char* name : {"link.png", "pipe.png"})
    EXPECT_EQ(ReadFileHead(folder, name, head, file).status, FileStatus::NotAFile) << name;
  // Through a link that led inside the pack, only to a regular file: one
  // changed since to lead to a pipe or a device is not read.
  t.Write("pack/face.png", "picture");
  fs::create_symlink("face.png", t.path() / "pack" / "in.png");
  fs::create_symlink("pipe.png", t.path() / "pack" / "to-pipe.png");
  fs::create_symlink("/dev/zero", t.path() / "pack" / "zero.png");
  EXPECT_EQ(ReadFileHead(folder, "in.png", head, file, true).length, 7u);
  for (const char* name : {"to-pipe.png", "zero.png"})
    EXPECT_EQ(ReadFileHead(folder, name, head, file, true).status, FileStatus::NotAFile) << name;
}

TEST(FolderFilesPosix, KeepsTheAccessTime) {
#ifndef O_NOATIME
  GTEST_SKIP() << "this system has no way to keep it";
#endif
  TempFolder t;
  t.Write("face.png", "picture");
  const std::string path = (t.path() / "face.png").string();
  // An access time before the change time is one that relatime updates.
  const timespec times[2] = {{1000000000, 0}, {0, UTIME_OMIT}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  FolderFiles folder;
  ASSERT_TRUE(folder.Open(t.str()));
  FolderFile file;
  char head[kFileHeadSize];
  ASSERT_EQ(ReadFileHead(folder, "face.png", head, file).status, FileStatus::Read);
  file.Close();
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_atim.tv_sec, 1000000000);
}

}  // namespace
}  // namespace mapio::platform
