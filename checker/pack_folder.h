// A pack's pictures: the folder listed once, and a record's name looked up
// in it as Windows would find it and as a case-sensitive system would.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mapio::checker {

inline constexpr std::string_view kPictureExtensions[] = {".png", ".jpg", ".gif"};

// The extension's index in kPictureExtensions, in any letter case; -1 for none.
int PictureExtensionOf(std::string_view fileName);

// One folder's file names (subfolders left out).
class Listing {
 public:
  explicit Listing(const std::string& path);
  bool Exists() const { return exists_; }
  const std::vector<std::string>& Names() const { return names_; }
  // Which of kPictureExtensions, written exactly so, the folder has for
  // `stem`: bit i for extension i.
  unsigned ExactExtensions(std::string_view stem) const;
  // Every name that equals `name` but for letter case (`name` itself too).
  std::vector<std::string> CaseVariants(std::string_view name);

 private:
  bool exists_ = false;
  std::vector<std::string> names_;
  std::unordered_map<std::string_view, unsigned> stems_;  // into names_
  // Made on the first lookup that needs it: a pack whose names all match
  // exactly never folds a name.
  std::unordered_multimap<std::string, std::string> folded_;
  bool foldedMade_ = false;
};

struct PictureMatch {
  enum class How { Exact, OtherCase, None };
  How how = How::None;
  // The file found exactly; for OtherCase every variant of the first
  // extension that has any.
  std::vector<std::string> files;
};

class PackFolder {
 public:
  explicit PackFolder(std::string path);

  bool Exists() const { return top_.Exists(); }
  // The pictures (.png, .jpg, .gif in any case) directly in the folder.
  const std::vector<std::string_view>& Pictures() const { return pictures_; }

  // `name` is a record's from value, maybe with subfolders ("faces/abc");
  // it has been checked to stay inside the pack.
  PictureMatch Find(std::string_view name);
  // Whether the folder holds the picture an ID names, in any letter case.
  bool HasIdPicture(std::string_view id);

 private:
  Listing& ListingOf(const std::string& subfolder);

  std::string path_;
  Listing top_;
  std::vector<std::string_view> pictures_;  // into top_
  std::map<std::string, std::unique_ptr<Listing>> subfolders_;
};

}  // namespace mapio::checker
