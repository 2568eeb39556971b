// A pack's pictures: the folder listed once, and a record's name looked up
// in it as Windows would find it and as a case-sensitive system would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/name_index.h"
#include "pack/names.h"
#include "platform/platform.h"

namespace mapio::pack {

struct PictureMatch {
  enum class How { Exact, OtherCase, None };
  How how = How::None;
  // For OtherCase every variant of the first extension that has any, each
  // after `folder` (the subfolders of the record's name, "" or "faces/").
  std::string_view folder;
  std::vector<std::string_view> files;
};

// What an entry of a pack's folder is to the pack. A regular file is a
// file of the pack, and so is a link to one inside the pack, read and
// mapped as the file it leads to. Anything else is never read or mapped:
// a FIFO or a device would hang or feed a reader for ever, and a link out
// of the pack would lead Mapio to files the user never chose.
struct PackEntry {
  bool isFile = false;
  bool link = false;
  // What the entry is, or for a link what it leads to (Link: nothing).
  platform::EntryKind kind = platform::EntryKind::File;
};
// `entry` of `folderPath`, a folder of the pack `root` (itself or below it).
PackEntry LookAtEntry(const std::string& folderPath, const platform::DirEntry& entry,
                      const std::string& root);

// A name with a picture's extension that is no file of the pack.
struct NotAPicture {
  std::string_view name;
  PackEntry entry;
};

// One folder's pictures, found by their stems (the name less a picture
// extension) folded: one lookup tells an exact match from one in other
// letter case.
class Listing {
 public:
  // `path`, a folder of the pack `root`.
  Listing(const std::string& path, const std::string& root);
  bool Exists() const { return exists_; }
  // Its pictures (.png, .jpg, .gif in any case), in the numbers Claimed
  // takes: files of the pack only.
  const std::vector<std::string_view>& Pictures() const { return nameOf_; }
  // Whether picture `i` is a link to a file inside the pack.
  bool IsLink(std::size_t picture) const { return (flags_[picture] & kLink) != 0; }
  // The entries with a picture's name that are no file of the pack.
  const std::vector<NotAPicture>& NotPictures() const { return notPictures_; }
  // How the folder holds a picture named `stem` with one of
  // kPictureExtensions. For OtherCase, `files` are the names of the first
  // extension that has any, in the order of their bytes. A found picture
  // is marked as claimed.
  PictureMatch::How Find(std::string_view stem, std::vector<std::string_view>& files);
  // The hash Find(stem) looks up, for Prefetch.
  std::uint32_t HashOf(std::string_view stem);
  // Find(stem) is coming soon: its memory starts loading now, in steps a
  // few lookups apart (0, 1, 2; see NameIndex::Prefetch).
  void Prefetch(std::uint32_t hash, int step) const;
  bool Claimed(std::size_t picture) const { return (flags_[picture] & kClaimed) != 0; }
  // What a killed run of Mapio left: its own temporary files.
  const std::vector<std::string_view>& Leftovers() const { return leftovers_; }
  // Every entry, as the system listed it: folders and links too.
  const platform::FolderListing& Entries() const { return names_; }

 private:
  bool exists_ = false;
  platform::FolderListing names_;         // folders too: skip them
  NameIndex stems_;                       // the pictures' folded stems
  std::vector<std::string_view> nameOf_;  // by stem number, into names_
  std::vector<std::string_view> leftovers_;
  std::vector<NotAPicture> notPictures_;
  // By stem number. Plain: the name is its folded stem and an extension
  // as written in kPictureExtensions, so a folded stem asked for is an
  // exact match without a look at the name. Claimed: a record has found it.
  // Link: a link to a file inside the pack. Then the extension's index in
  // kPictureExtensions.
  static constexpr std::uint8_t kPlain = 1;
  static constexpr std::uint8_t kClaimed = 2;
  static constexpr std::uint8_t kLink = 4;
  static constexpr int kExtensionShift = 3;
  int ExtensionOf(std::uint32_t n) const { return flags_[n] >> kExtensionShift; }
  std::vector<std::uint8_t> flags_;
  std::vector<std::uint32_t> found_;
  std::string key_;
  std::string prefetchKey_;
};

class PackFolder {
 public:
  explicit PackFolder(std::string path);

  bool Exists() const { return top_.Exists(); }
  // Every entry of the folder itself, in no order: its subfolders too.
  const platform::FolderListing& Entries() const { return top_.Entries(); }
  // The pictures (.png, .jpg, .gif in any case) directly in the folder.
  const std::vector<std::string_view>& Pictures() const { return top_.Pictures(); }
  // Whether a record has found picture `i` of Pictures(), by its very
  // name or in another letter case: no need to look for one again.
  bool Found(std::size_t i) const { return top_.Claimed(i); }
  const std::vector<std::string_view>& Leftovers() const { return top_.Leftovers(); }
  bool IsLink(std::size_t i) const { return top_.IsLink(i); }
  const std::vector<NotAPicture>& NotPictures() const { return top_.NotPictures(); }

  // `name` is a record's from value, maybe with subfolders ("faces/abc");
  // it has been checked to stay inside the pack.
  // The match lives until the next call.
  const PictureMatch& Find(std::string_view name);
  // Find(name) is coming soon, for a name without subfolders: see
  // Listing::Prefetch.
  std::uint32_t HashOf(std::string_view name) { return top_.HashOf(name); }
  void Prefetch(std::uint32_t hash, int step) const { top_.Prefetch(hash, step); }
  // Whether the folder holds the picture an ID names, in any letter case.
  bool HasIdPicture(std::string_view id);

 private:
  Listing& ListingOf(const std::string& subfolder);

  std::string path_;
  Listing top_;
  std::map<std::string, std::unique_ptr<Listing>> subfolders_;
  std::vector<std::string_view> files_;  // reused by HasIdPicture
  PictureMatch match_;
};

}  // namespace mapio::pack
