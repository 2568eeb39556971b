// A pack's pictures: the folder listed once, and a record's name looked up
// in it as Windows would find it and as a case-sensitive system would.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/name_index.h"
#include "platform/platform.h"

namespace mapio::checker {

inline constexpr std::string_view kPictureExtensions[] = {".png", ".jpg", ".gif"};

// The extension's index in kPictureExtensions, in any letter case; -1 for none.
int PictureExtensionOf(std::string_view fileName);

// One folder's file names (subfolders left out).
class Listing {
 public:
  explicit Listing(const std::string& path);
  bool Exists() const { return exists_; }
  const platform::FolderListing& Names() const { return names_; }
  // Which of kPictureExtensions, written exactly so, the folder has for
  // `stem`: bit i for extension i.
  unsigned ExactExtensions(std::string_view stem) const;
  // The same by the stem's number: Stem() gives it, or NameIndex::kNone.
  std::uint32_t Stem(std::string_view stem) const { return stems_.Find(stem); }
  unsigned Extensions(std::uint32_t stem) const { return stemExtensions_[stem]; }
  // The stem of entry `i` of Names() written with an extension exactly so.
  std::uint32_t StemOfEntry(std::size_t i) const { return entryStems_[i]; }
  // Marks a stem that a record has found as it is.
  void Claim(std::uint32_t stem) { claimed_[stem] = true; }
  bool Claimed(std::uint32_t stem) const { return claimed_[stem]; }
  // Marks entry `i`, found by a record in another letter case.
  void ClaimEntry(std::size_t i) { claimedEntries_[i] = true; }
  bool ClaimedEntry(std::size_t i) const { return claimedEntries_[i]; }
  // The entries named `stem` with the first of kPictureExtensions that
  // any has, in any letter case (as written too), in the order of their
  // names' bytes. Returns that extension's index, or -1 for none.
  int CaseVariants(std::string_view stem, std::vector<std::uint32_t>& entries);

 private:
  bool exists_ = false;
  platform::FolderListing names_;  // folders too: skip them
  NameIndex stems_;
  std::vector<unsigned char> stemExtensions_;  // by the stem's number
  std::vector<bool> claimed_;                  // by the stem's number
  std::vector<std::uint32_t> entryStems_;      // by the entry
  std::vector<bool> claimedEntries_;           // by the entry
  // Made on the first lookup that needs it: a pack whose names all match
  // exactly never folds a name.
  NameIndex folded_;
  std::vector<std::uint32_t> foldedEntry_;  // the folded name's entry in names_
  bool foldedMade_ = false;
  std::string key_;
};

struct PictureMatch {
  enum class How { Exact, OtherCase, None };
  How how = How::None;
  // For OtherCase every variant of the first extension that has any.
  std::vector<std::string> files;
};

class PackFolder {
 public:
  explicit PackFolder(std::string path);

  bool Exists() const { return top_.Exists(); }
  // The pictures (.png, .jpg, .gif in any case) directly in the folder.
  const std::vector<std::string_view>& Pictures() const { return pictures_; }
  // Whether a record has found picture `i` of Pictures(), by its very
  // name or in another letter case: no need to look for one again.
  bool Found(std::size_t i) const {
    const std::uint32_t entry = pictureEntries_[i];
    const std::uint32_t stem = top_.StemOfEntry(entry);
    return (stem != NameIndex::kNone && top_.Claimed(stem)) || top_.ClaimedEntry(entry);
  }

  // `name` is a record's from value, maybe with subfolders ("faces/abc");
  // it has been checked to stay inside the pack.
  PictureMatch Find(std::string_view name);
  // Whether the folder holds the picture an ID names, in any letter case.
  bool HasIdPicture(std::string_view id);

 private:
  Listing& ListingOf(const std::string& subfolder);

  std::string path_;
  Listing top_;
  std::vector<std::string_view> pictures_;     // into top_
  std::vector<std::uint32_t> pictureEntries_;  // their entries in top_
  std::vector<std::uint32_t> entries_;         // reused by each lookup
  std::map<std::string, std::unique_ptr<Listing>> subfolders_;
};

}  // namespace mapio::checker
