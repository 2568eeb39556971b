// Files Mapio keeps for a user outside any pack: where they go, and a file
// that grows by appending, with each piece on disk when it must be.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace mapio::platform {

// $XDG_DATA_HOME/mapio, else ~/.local/share/mapio; %LOCALAPPDATA%\Mapio on
// Windows. nullopt when the system names no such place. Not created here.
std::optional<std::string> UserDataFolder();

// The one spelling of a folder's path, whatever way it was reached (".",
// "..", links): what a journal is kept under. The path itself when the
// folder is not there.
std::string CanonicalFolder(const std::string& path);

// The folder and every missing folder above it; true when it is there.
bool MakeFolders(const std::string& path);

// Removes a file; false when it cannot.
bool RemoveFile(const std::string& path);

// Seconds since 1970, and as "2026-12-09 14:03:27" in UTC.
std::time_t Now();
std::string TimeText(std::time_t when);

// A file of lines that grows at its end, written through a window of it
// mapped into memory: each piece is in the system's hands as soon as
// Write() has copied it, with no call to the system for it, so that it
// survives the program being killed; what Sync() has, the machine going
// down. The window is made room for on the disk before it is written, so a
// full disk fails a call here rather than a write. Never opened through a
// link: a link where the file should be is refused.
class AppendFile : OwnsSystemResource {
 public:
  AppendFile() = default;
  ~AppendFile();

  // A new file; fails when anything is there already, a link included.
  bool Create(const std::string& path);
  // Writes after the last line end of a file that is there: whatever a
  // killed writer left beyond it (a line cut short, the room it had made)
  // is written over and cut away.
  bool Open(const std::string& path);
  void Write(std::string_view data);
  bool Sync();
  // Cuts the file to what was written and closes it.
  bool Close();
  // Leaves the file as a killed program would: what was written is there,
  // and so is the room made beyond it.
  void DropForTesting();
  // False once anything failed: the file may then lack pieces.
  bool Good() const { return handle_ != kNoHandle && good_; }

  // Bytes of the file mapped at a time; a multiple of every system's
  // granularity of mapping.
  static constexpr std::size_t kWindow = std::size_t{1} << 20;

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  bool Slide();
  void Unmap();

  std::intptr_t handle_ = kNoHandle;
  char* window_ = nullptr;
  std::uint64_t windowAt_ = 0;  // where the window starts in the file
  std::uint64_t end_ = 0;       // what has been written
  bool good_ = true;
};

namespace detail {
// Each system's part of an AppendFile: opening (a new file, or one that is
// there; never a link, only a regular file), its size, reading it, mapping
// `AppendFile::kWindow` bytes of it at `at` with the room for them made
// first, and closing it cut to `size` (or as it is).
std::intptr_t OpenAppendFile(const std::string& path, bool create);
std::optional<std::uint64_t> AppendFileSize(std::intptr_t handle);
std::ptrdiff_t ReadAppendFile(std::intptr_t handle, std::uint64_t at, char* buffer,
                              std::size_t size);
char* MapAppendWindow(std::intptr_t handle, std::uint64_t at);
void UnmapAppendWindow(char* window);
bool SyncAppendFile(std::intptr_t handle, char* window);
bool CloseAppendFile(std::intptr_t handle, std::optional<std::uint64_t> size);
}  // namespace detail

}  // namespace mapio::platform
