// The one way Mapio writes a file: whole, beside the target, put in place only if the target is
// still the file that was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace mapio::platform {

// What the target of an AtomicFileWriter must still be when it commits: no
// file at all, or the file as it was read. Bytes of a file up to
// kCompareLimit are kept and compared too, which catches a change of the
// same size within the same tick of the clock.
class ExpectedTarget {
 public:
  static constexpr std::size_t kCompareLimit = std::size_t{4} << 20;
  // nullopt: the target must still be absent (StampOf gave none).
  explicit ExpectedTarget(std::optional<FileStamp> stamp,
                          std::optional<std::string_view> bytes = std::nullopt);
  const std::optional<FileStamp>& Stamp() const { return stamp_; }
  // The bytes to compare, or nullopt when there are none or too many.
  const std::optional<std::string>& Bytes() const { return bytes_; }

 private:
  std::optional<FileStamp> stamp_;
  std::optional<std::string> bytes_;
};

// Why an AtomicFileWriter failed.
enum class WriteFailure {
  None,
  TargetReadOnly,     // no write permission bit set, or this user may not write it
  StickyFolder,       // someone else's file in a sticky folder may not be replaced
  NotAFile,           // the target is a folder, a FIFO or a device
  FolderNotWritable,  // no temporary file may be made in the folder
  NoSpace,            // the disk or the user's quota is full
  IoError,            // any other error of the disk or the system
  TargetChanged,      // not as it was read: another program changed it
};

// What tests make an AtomicFileWriter meet: a full disk, or another
// program's change at the last moment. The program's writers have none.
struct WriterHooks {
  // Every write fails once the writer has taken this many bytes.
  std::optional<std::size_t> failAfterBytes{};
  // Called by Commit while it holds the folder's lock, right before it
  // looks at the target.
  std::function<void()> beforeCompare{};
};

// Writes a whole file under a hidden temporary name beside the target and
// puts it in place only on Commit, so a failed write never harms the old file.
class AtomicFileWriter : OwnsSystemResource {
 public:
  explicit AtomicFileWriter(WriterHooks hooks = {}) : hooks_(std::move(hooks)) {}
  ~AtomicFileWriter();  // aborts when not committed

  // Fails, and writes nothing, when the target exists but may not be
  // written (no write bit, someone else's, a folder): replacing it would get
  // round what the user was allowed, root included. With `expected`, Commit
  // replaces the target only if it is still as expected; without, it
  // replaces whatever is there.
  bool Open(const std::string& targetPath, FileMode mode = FileMode::Text,
            const ExpectedTarget* expected = nullptr);
  // False once any write has failed; later writes are ignored.
  bool Write(std::string_view data);
  // Flush, sync, close and rename over the target, keeping its mode, owner
  // and group. False on any failure, in which case the temporary file is
  // removed and the target is untouched. Writers of one folder in Mapio
  // compare and rename one at a time, so that of two runs that read the
  // same file the second to commit finds the first one's change.
  bool Commit();
  // Drop the temporary file.
  void Abort();
  bool Failed() const { return failed_; }
  // Why the last Open or Commit failed.
  WriteFailure Failure() const { return failure_; }
  // Whether that was because the target may not be written, rather than
  // for want of room or of a temporary file, or a change.
  bool TargetRefused() const;
  const std::string& TempPath() const { return tempPath_; }

 private:
  void Reset(const std::string& targetPath, FileMode mode, const ExpectedTarget* expected);
  bool Flush();
  bool Fail(WriteFailure why);
  // Under the folder's lock: the target as it may be replaced and expected.
  WriteFailure CheckTarget() const;

  std::FILE* file_ = nullptr;
  std::string targetPath_;
  std::string tempPath_;
  std::string buffer_;
  std::size_t written_ = 0;
  WriterHooks hooks_;
  std::optional<ExpectedTarget> expected_;
  bool failed_ = false;
  WriteFailure failure_ = WriteFailure::None;
  FileMode mode_ = FileMode::Text;
};

// The lock AtomicFileWriter takes for a moment to put a folder's file in
// place, held by a job that renames the folder's pictures (translate,
// undo) for the whole of its run: two such jobs of one folder, in this
// process or another, never run at once, and a writer waits for the job.
class FolderJobLock : OwnsSystemResource {
 public:
  enum class State {
    Held,     // taken: the job may go on
    Busy,     // another holds it: the job changes nothing
    Unknown,  // the system has no lock for this folder: the job goes on
  };
  FolderJobLock() = default;
  ~FolderJobLock();
  // Never waits.
  State Take(const std::string& folder);

 private:
  std::intptr_t handle_ = -1;
  std::string name_;  // Windows: the lock's name, while this one holds it
};

// True for the temporary names AtomicFileWriter makes for `targetName` (a
// name without its folder): "." + the name, cut when the path would be too
// long, + ".mapio-" + six letters or digits. A leftover of a run that was
// killed, never a file of the user's.
bool IsTemporaryName(std::string_view name, std::string_view targetName);

}  // namespace mapio::platform
