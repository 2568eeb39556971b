// AtomicFileWriter: the old file survives every failure, and no temporary file is left.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/mount.h>
#endif

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
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
  EXPECT_TRUE(IsTemporaryName(temp.filename().string(), "config.xml"));
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
    AtomicFileWriter w({.failAfterBytes = limit});
    ASSERT_TRUE(w.Open(Target()));
    for (const auto& p : pieces) w.Write(p);
    EXPECT_EQ(w.Commit(), fits);
    EXPECT_EQ(w.Failed(), !fits);
    EXPECT_EQ(w.Failure(), fits ? WriteFailure::None : WriteFailure::NoSpace);
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
  EXPECT_EQ(w.Failure(), WriteFailure::IoError);
  EXPECT_FALSE(w.Write("x"));
  EXPECT_FALSE(w.Commit());
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  t.Write("config.xml", "old");
  ASSERT_EQ(chmod(t.str().c_str(), 0555), 0);
  EXPECT_FALSE(w.Open(Target()));
  EXPECT_EQ(w.Failure(), WriteFailure::FolderNotWritable);
  EXPECT_FALSE(w.TargetRefused());
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

// What another program may do between the reading of config.xml and the
// end of the writing, done at the last moment through the test hook.
TEST_F(AtomicWriter, ReplacesOnlyTheFileAsItWasRead) {
  const std::string big(5 << 20, 'b');  // over the compare limit: compared by stamp only
  const auto put = [this](const char* name, const std::string& bytes) { t.Write(name, bytes); };
  struct Row {
    const char* why;
    std::optional<std::string> before;  // nullopt: there was none
    std::function<void()> change;
    std::optional<std::string> read;  // what the reader got, where not `before`
    bool commits;
  };
  const Row rows[] = {
      {"unchanged", "old", {}, {}, true},
      {"unchanged, large", big, {}, {}, true},
      {"was absent, still is", {}, {}, {}, true},
      {"rewritten in place, same size", "old", [&] { put("config.xml", "new"); }, {}, false},
      {"another file, same bytes",
       "old",
       [&] {
         put("other", "old");
         fs::rename(t.path() / "other", t.path() / "config.xml");
       },
       {},
       false},
      {"grown, large", big, [&] { put("config.xml", big + "x"); }, {}, false},
      {"removed", "old", [&] { fs::remove(t.path() / "config.xml"); }, {}, false},
      {"was absent, made since", {}, [&] { put("config.xml", "theirs"); }, {}, false},
      {"changed within the clock's tick", "old", {}, "olx", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    fs::remove(t.path() / "config.xml");
    std::optional<FileStamp> stamp;
    std::string bytes;
    if (row.before) {
      put("config.xml", *row.before);
      ASSERT_EQ(ReadWholeFile(Target(), bytes, stamp.emplace()), ReadResult::Ok);
    }
    const ExpectedTarget expected(stamp, row.read ? *row.read : bytes);
    AtomicFileWriter w({.beforeCompare = row.change});
    ASSERT_TRUE(w.Open(Target(), FileMode::Binary, &expected));
    ASSERT_TRUE(w.Write("mine"));
    EXPECT_EQ(w.Commit(), row.commits);
    EXPECT_EQ(w.Failure(), row.commits ? WriteFailure::None : WriteFailure::TargetChanged);
    EXPECT_FALSE(w.TargetRefused());
    if (row.commits) {
      EXPECT_EQ(t.Read("config.xml"), "mine");
    }
    std::vector<std::string> left = t.List();
    std::erase(left, "config.xml");
    EXPECT_EQ(left, std::vector<std::string>{});  // no temporary file
  }
}

// Two runs read the same file; the one that commits second must find the
// first one's change, and the two must not compare and rename at once.
TEST_F(AtomicWriter, SecondOfTwoRunsFindsTheFirstOnesChange) {
  t.Write("config.xml", "a\nb\nc\n");
  const auto read = [this] {
    std::string bytes;
    FileStamp stamp;
    EXPECT_EQ(ReadWholeFile(Target(), bytes, stamp), ReadResult::Ok);
    return ExpectedTarget(stamp, bytes);
  };
  const ExpectedTarget first = read();
  const ExpectedTarget second = read();
  bool othersLockedOut = false;
  AtomicFileWriter a({.beforeCompare = [&] {
    const int fd = open(t.str().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    othersLockedOut = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
  }});
  AtomicFileWriter b;
  ASSERT_TRUE(a.Open(Target(), FileMode::Binary, &first));
  ASSERT_TRUE(b.Open(Target(), FileMode::Binary, &second));
  ASSERT_TRUE(a.Write("a\nc\n"));
  ASSERT_TRUE(b.Write("a\nb\n"));
  ASSERT_TRUE(a.Commit());
  EXPECT_TRUE(othersLockedOut);
  EXPECT_FALSE(b.Commit());
  EXPECT_EQ(b.Failure(), WriteFailure::TargetChanged);
  EXPECT_EQ(t.Read("config.xml"), "a\nc\n");
  EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
}

// A file no one may write stays as it is, root's run included; so does
// anything that is no file, a link to a device too.
TEST_F(AtomicWriter, LeavesWhatMayNotBeWrittenAsItIs) {
  const auto file = [this](mode_t mode) {
    return [this, mode] {
      t.Write("config.xml", "old");
      ASSERT_EQ(chmod(Target().c_str(), mode), 0);
    };
  };
  struct Row {
    const char* why;
    std::function<void()> make;
    WriteFailure failure;
  };
  const Row rows[] = {
      {"no write bit", file(0444), WriteFailure::TargetReadOnly},
      {"only its owner may read it", file(0400), WriteFailure::TargetReadOnly},
      {"writable", file(0644), WriteFailure::None},
      {"a folder", [this] { t.MakeDir("config.xml"); }, WriteFailure::NotAFile},
      {"a FIFO", [this] { ASSERT_EQ(mkfifo(Target().c_str(), 0644), 0); }, WriteFailure::NotAFile},
      {"a link to a device", [this] { fs::create_symlink("/dev/null", Target()); },
       WriteFailure::NotAFile},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    row.make();
    const fs::file_status before = fs::symlink_status(Target());
    AtomicFileWriter w;
    EXPECT_EQ(w.Open(Target()), row.failure == WriteFailure::None);
    w.Write("new");
    EXPECT_EQ(w.Commit(), row.failure == WriteFailure::None);
    EXPECT_EQ(w.Failure(), row.failure);
    EXPECT_EQ(w.TargetRefused(), row.failure != WriteFailure::None);
    if (row.failure != WriteFailure::None) {
      EXPECT_EQ(fs::symlink_status(Target()).type(), before.type());
      EXPECT_EQ(fs::symlink_status(Target()).permissions(), before.permissions());
    }
    EXPECT_EQ(t.List(), std::vector<std::string>{"config.xml"});
    fs::remove_all(Target());
  }
  // Made read-only while the new file was written.
  file(0644)();
  AtomicFileWriter w({.beforeCompare = [this] { chmod(Target().c_str(), 0444); }});
  ASSERT_TRUE(w.Open(Target()));
  EXPECT_FALSE(w.Commit());
  EXPECT_EQ(w.Failure(), WriteFailure::TargetReadOnly);
  EXPECT_EQ(t.Read("config.xml"), "old");
}

TEST_F(AtomicWriter, ReplacedFileKeepsItsOwnerAndGroup) {
  if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  t.Write("config.xml", "old");
  ASSERT_EQ(chown(Target().c_str(), 12345, 12346), 0);
  ASSERT_EQ(chmod(Target().c_str(), 0640), 0);
  AtomicFileWriter w;
  ASSERT_TRUE(w.Open(Target()));
  ASSERT_TRUE(w.Write("new"));
  ASSERT_TRUE(w.Commit());
  struct stat st {};
  ASSERT_EQ(stat(Target().c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 12345u);
  EXPECT_EQ(st.st_gid, 12346u);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(t.Read("config.xml"), "new");
}

// Root's run as another user until the end of the scope.
struct RunAs {
  explicit RunAs(uid_t uid) : ok(seteuid(uid) == 0) {}
  ~RunAs() {
    if (ok) {
      EXPECT_EQ(seteuid(0), 0);
    }
  }
  const bool ok;
};

// Root sets the scene, then runs the writer as another user: each refusal
// says what stood in the way.
TEST_F(AtomicWriter, TellsWhyAnotherUsersFileOrFolderStoodInTheWay) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to set up files of two users";
  constexpr uid_t kMe = 12345;
  constexpr uid_t kOther = 12346;
  struct Row {
    const char* why;
    mode_t folderMode;
    uid_t owner;
    mode_t fileMode;
    WriteFailure failure;
  };
  const Row rows[] = {
      {"someone else's file only they may write", 0777, kOther, 0644, WriteFailure::TargetReadOnly},
      {"someone else's file in a sticky folder", 01777, kOther, 0666, WriteFailure::StickyFolder},
      {"my own file in a sticky folder", 01777, kMe, 0644, WriteFailure::None},
      {"a folder I may not write", 0755, kMe, 0644, WriteFailure::FolderNotWritable},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    TempFolder scene;
    ASSERT_EQ(chmod(scene.str().c_str(), row.folderMode), 0);
    scene.Write("config.xml", "old");
    const std::string target = scene.str() + "/config.xml";
    ASSERT_EQ(chown(target.c_str(), row.owner, 0), 0);
    ASSERT_EQ(chmod(target.c_str(), row.fileMode), 0);
    bool committed = false;
    WriteFailure failure = WriteFailure::None;
    {
      const RunAs me(kMe);
      ASSERT_TRUE(me.ok);
      AtomicFileWriter w;
      if (w.Open(target) && w.Write("new")) committed = w.Commit();
      failure = w.Failure();
    }
    EXPECT_EQ(failure, row.failure);
    EXPECT_EQ(committed, row.failure == WriteFailure::None);
    EXPECT_EQ(scene.Read("config.xml"), committed ? "new" : "old");
    EXPECT_EQ(scene.List().size(), 1u);
  }
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
  EXPECT_EQ(w.Failure(), WriteFailure::NoSpace);
  EXPECT_EQ(t.Read("disk/config.xml"), "old");
  EXPECT_EQ(t.List("disk"), std::vector<std::string>{"config.xml"});
}
#endif

}  // namespace
}  // namespace mapio::platform
