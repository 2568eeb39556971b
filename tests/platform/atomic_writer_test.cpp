// AtomicFileWriter: the old file survives every failure, and no temporary file is left.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/mount.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/temp_folder.h"

namespace mapio::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

class AtomicWriter : public ::testing::Test {
 protected:
  void TearDown() override { AtomicFileWriter::FailAfterBytesForTesting(std::nullopt); }

  std::string Target() const { return t.str() + "/config.xml"; }
  mode_t ModeOf(const std::string& path) const {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
  }

  TempFolder t;
};

// Several megabytes in pieces of every size, more than the writer buffers.
std::vector<std::string> BigPieces() {
  std::vector<std::string> pieces;
  for (int i = 0; i < 40000; ++i) {
    pieces.push_back("<record from=\"face" + std::to_string(i) + "\" to=\"x\"/>\n");
  }
  pieces.push_back(std::string(3 << 20, 'z'));
  pieces.push_back("end\n");
  return pieces;
}

std::string Joined(const std::vector<std::string>& pieces) {
  std::string all;
  for (const auto& p : pieces) all += p;
  return all;
}

TEST_F(AtomicWriter, CommitCreatesTheFileWithTheUsualMode) {
  const mode_t old = umask(027);
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(Target()));
  const fs::path temp = w.TempPath();
  EXPECT_EQ(temp.parent_path(), t.path());
  EXPECT_TRUE(IsTemporaryName(temp.filename().string()));
  const auto pieces = BigPieces();
  for (const auto& p : pieces) ASSERT_TRUE(w.Write(p));
  EXPECT_FALSE(t.Exists("config.xml"));  // nothing shows before Commit
  ASSERT_TRUE(w.Commit());
  umask(old);

  EXPECT_EQ(t.Read("config.xml"), Joined(pieces));
  EXPECT_EQ(ModeOf(Target()), 0640u);  // not mkstemp's 0600
  EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
}

TEST_F(AtomicWriter, CommitReplacesAndKeepsThePermissions) {
  t.Write("config.xml", "old");
  ASSERT_EQ(chmod(Target().c_str(), 0604), 0);
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(Target()));
  ASSERT_TRUE(w.Write("new"));
  ASSERT_TRUE(w.Commit());
  EXPECT_EQ(t.Read("config.xml"), "new");
  EXPECT_EQ(ModeOf(Target()), 0604u);
  EXPECT_FALSE(w.Commit());  // once only
}

TEST_F(AtomicWriter, FailedWriteLeavesTheOldFileAlone) {
  const auto pieces = BigPieces();
  const std::string all = Joined(pieces);
  const std::size_t limits[] = {0, 100, std::size_t{1} << 20, all.size() - 1, all.size()};
  for (std::size_t limit : limits) {
    SCOPED_TRACE(limit);
    const bool fits = limit == all.size();
    t.Write("config.xml", "old\r\nbytes\n");
    AtomicFileWriter::FailAfterBytesForTesting(limit);
    AtomicFileWriter w;
    ASSERT_TRUE(w.Open(Target()));
    for (const auto& p : pieces) w.Write(p);
    EXPECT_EQ(w.Commit(), fits);
    EXPECT_EQ(w.Failed(), !fits);
    EXPECT_EQ(t.Read("config.xml"), fits ? all : "old\r\nbytes\n");
    EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
  }
}

TEST_F(AtomicWriter, AbortAndDestructionDropTheTemporaryFile) {
  t.Write("config.xml", "old");
  AtomicFileWriter w;
  {
    AtomicFileWriter dropped;
    ASSERT_TRUE(dropped.Open(Target()));
    ASSERT_TRUE(dropped.Write(std::string(2 << 20, 'x')));
    ASSERT_TRUE(w.Open(Target()));
    EXPECT_EQ(t.List().size(), 3u);
  }
  w.Abort();
  EXPECT_FALSE(w.Commit());
  EXPECT_EQ(t.Read("config.xml"), "old");
  EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
}

TEST_F(AtomicWriter, OpenFailsWhereNoFileCanBeMade) {
  AtomicFileWriter w;
  EXPECT_FALSE(w.Open(t.str() + "/missing/config.xml"));
  EXPECT_FALSE(w.Write("x"));
  EXPECT_FALSE(w.Commit());
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  t.Write("config.xml", "old");
  ASSERT_EQ(chmod(t.str().c_str(), 0555), 0);
  EXPECT_FALSE(w.Open(Target()));
  ASSERT_EQ(chmod(t.str().c_str(), 0755), 0);
  EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
}

TEST_F(AtomicWriter, LongTargetNamesStillGetATemporaryName) {
  const std::string name(250, 'n');
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(t.str() + "/" + name));
  ASSERT_TRUE(w.Write("x"));
  ASSERT_TRUE(w.Commit());
  EXPECT_EQ(t.Read(name), "x");
}

#ifdef __linux__
// A real full disk: a 64 KiB tmpfs, where root may mount one.
TEST_F(AtomicWriter, FullDiskLeavesTheOldFileAlone) {
  const std::string disk = t.str() + "/disk";
  t.MakeDir("disk");
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  struct Unmount {
    std::string path;
    ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
  } unmount{disk};
  t.Write("disk/config.xml", "old");
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(disk + "/config.xml"));
  for (int i = 0; i < 1000; ++i) w.Write(std::string(1000, 'x'));
  EXPECT_FALSE(w.Commit());
  EXPECT_EQ(t.Read("disk/config.xml"), "old");
  EXPECT_EQ(t.List("disk"), std::vector<std::string>{"config.xml"});
}
#endif

}  // namespace
}  // namespace mapio::platform
