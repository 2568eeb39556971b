#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mapio::testing {

// UTF-8 names as paths and back: on Windows a std::string path is read in
// the ANSI code page.
std::filesystem::path Utf8Path(std::string_view utf8);
std::string Utf8String(const std::filesystem::path& path);

// A fresh folder under the system's temporary directory, removed with
// everything in it when the object goes. Names and paths are UTF-8.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return Utf8String(path_); }

  // Creates (or overwrites) a file relative to the folder, making parents.
  void Write(std::string_view relative, std::string_view bytes = {}) const;
  void MakeDir(std::string_view relative) const;
  std::string Read(std::string_view relative) const;
  // A file the program wrote as text, with each line end as the program
  // wrote it ("\n"): on Windows every line end on disk is CR LF. A file
  // with any other line end there comes back raw, so a comparison fails.
  std::string ReadText(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  // Sorted names of the folder's entries (not recursive).
  std::vector<std::string> List(std::string_view relative = {}) const;

 private:
  std::filesystem::path path_;
};

}  // namespace mapio::testing
