// A pack's pictures in one numbering: those of its folder, and those of the
// subfolders its records name. What the check counts, looks into and lists
// as unmapped; make and update map only the folder's own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pack/pack_folder.h"

namespace mapio::pack {

class PackPictures {
 public:
  // `folder` once the records have been looked up in it, which lists the
  // subfolders they name. Without `subfolders`, the folder's own pictures
  // only. A subfolder that is a pack of its own, or leads out of the pack,
  // adds none.
  PackPictures(const PackFolder& folder, bool subfolders);

  std::size_t Size() const { return names_->size(); }
  // The folder's own first, numbered as PackFolder::Pictures(); then each
  // subfolder's in the order of their names, named from the pack's folder
  // ("icons/settings.png").
  const std::vector<std::string_view>& Names() const { return *names_; }
  // Whether a record has found picture `i`: no need to look for one again.
  bool Found(std::size_t i) const { return i < own_ ? folder_.Found(i) : foundBelow_[i - own_]; }
  bool InSubfolder(std::size_t i) const { return i >= own_; }

  // Where the pictures lie, folder by folder: those from `first` on are
  // `listing`'s, by the names it gives them.
  struct Folder {
    const std::string* path;
    const Listing* listing;
    std::size_t first;
  };
  const std::vector<Folder>& Folders() const { return folders_; }
  // The entries with a picture's name that are no files of the pack,
  // named from its folder.
  const std::vector<NotAPicture>& NotPictures() const { return notPictures_; }

 private:
  const PackFolder& folder_;
  std::size_t own_;
  const std::vector<std::string_view>* names_;
  std::vector<std::string_view> all_;  // when subfolders add any
  std::vector<bool> foundBelow_;
  std::string text_;  // the subfolders' names with their folders
  std::vector<Folder> folders_;
  std::vector<NotAPicture> notPictures_;
};

}  // namespace mapio::pack
