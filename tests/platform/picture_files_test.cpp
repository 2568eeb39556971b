// A folder's files read by name, on every system: head, size, further
// reads, whole files, and the entries that are not read.
#include <gtest/gtest.h>

#include <string>

#include "platform/picture_files.h"
#include "tests/support/temp_folder.h"

namespace mapio::platform {
namespace {

using testing::TempFolder;

TEST(FolderFiles, ReadsHeadSizeAndMoreOfAFileInTheFolder) {
  TempFolder t;
  std::string bytes(3000, 'x');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>('a' + i % 26);
  t.Write("face.png", bytes);
  t.Write("small.png", "abc");
  t.Write("empty.png");
  t.MakeDir("sub.png");
  FolderFiles folder;
  ASSERT_TRUE(folder.Open(t.str()));
  FolderFile file;
  char head[kFileHeadSize];

  HeadResult r = ReadFileHead(folder, "face.png", head, file);
  ASSERT_EQ(r.status, FileStatus::Read);
  EXPECT_EQ(r.size, kUnknownSize);
  EXPECT_EQ(file.Size(), 3000u);
  EXPECT_EQ(std::string(head, r.length), bytes.substr(0, 512));
  char more[8];
  EXPECT_EQ(file.ReadAt(2996, more), 4);
  EXPECT_EQ(std::string(more, 4), bytes.substr(2996));
  std::string whole;
  EXPECT_EQ(file.ReadAll(whole, 2999), FileStatus::TooLarge);
  EXPECT_EQ(file.ReadAll(whole, 3000), FileStatus::Read);
  EXPECT_EQ(whole, bytes);

  r = ReadFileHead(folder, "small.png", head, file);
  EXPECT_EQ(r.status, FileStatus::Read);
  EXPECT_EQ(std::string(head, r.length), "abc");
  EXPECT_EQ(r.size, 3u);
  r = ReadFileHead(folder, "empty.png", head, file);
  EXPECT_EQ(r.status, FileStatus::Read);
  EXPECT_EQ(r.size, 0u);

  struct Row {
    const char* name;
    FileStatus status;
  };
  for (const Row& row : {Row{"gone.png", FileStatus::Missing}, Row{"sub.png", FileStatus::NotAFile},
                         Row{"sub.png/x", FileStatus::Failed}, Row{"..", FileStatus::Failed},
                         Row{"", FileStatus::Failed}}) {
    EXPECT_EQ(ReadFileHead(folder, row.name, head, file).status, row.status) << row.name;
    EXPECT_FALSE(file.IsOpen()) << row.name;
  }
  EXPECT_FALSE(FolderFiles().Open((t.path() / "face.png").string()));
}

}  // namespace
}  // namespace mapio::platform
