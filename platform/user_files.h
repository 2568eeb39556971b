// Files Mapio keeps for a user outside any pack: where they go, and a file
// that grows by appending, with each piece on disk when it must be.
#pragma once

#include <cstdio>
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

// A new file written in pieces: what Flush() has handed over survives the
// program being killed, what Sync() has, the machine going down.
class AppendFile : OwnsSystemResource {
 public:
  AppendFile() = default;
  ~AppendFile();

  // Fails when the file is there already.
  bool Create(const std::string& path);
  // Writes after the end of a file that is there.
  bool Open(const std::string& path);
  // Gathered until Flush(), or until the gathering is large.
  void Write(std::string_view data);
  bool Flush();
  bool Sync();
  bool Close();
  // Closes it as a killed program would leave it: what was gathered is lost.
  void DropForTesting();
  // False once anything failed: the file may then lack pieces.
  bool Good() const { return file_ != nullptr && good_; }

 private:
  std::FILE* file_ = nullptr;
  std::string buffer_;
  bool good_ = true;
};

namespace detail {
// Each system's open of an AppendFile's file: a new one (failing on one
// that is there) or one to write after the end of.
std::FILE* OpenAppendFile(const std::string& path, bool create);
}  // namespace detail

}  // namespace mapio::platform
