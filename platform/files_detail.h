// What each system's file code gives to the file code all systems share.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/atomic_writer.h"
#include "platform/files.h"

namespace mapio::platform::detail {

// Opens `path` for reading, in binary, if it is a regular file: never waits
// on a FIFO or a device, and looks at what it opened, not at the name
// again. `stamp` comes from the opened file.
ReadResult OpenForReading(const std::string& path, std::FILE*& file, FileStamp& stamp);

// Why `target` may not be replaced by this user, or None when it may (or
// is not there).
WriteFailure RefusalOf(const std::string& target);

// Held while a writer looks at its target and puts its file in place: the
// writers of one folder, in this process or another, take turns. Without
// a lock (a file system that has none) the writer goes on unserialised.
class FolderLock {
 public:
  explicit FolderLock(const std::string& target);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  std::intptr_t handle_ = -1;
};

// A written temporary file made safe on disk, with the target's owner and
// mode where the system has them; false (errno set) when it fails.
bool SyncForCommit(std::FILE* file, const std::string& target);
// Renames the temporary file over the target.
WriteFailure PutInPlace(const std::string& temp, const std::string& target);

// The failure that an errno of writing stands for.
WriteFailure WriteFailureOf(int error);

}  // namespace mapio::platform::detail
