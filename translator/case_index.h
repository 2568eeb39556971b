// The folder's pictures by their case-insensitive name, for finding a
// picture whose name differs from its record only in letter case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/name_index.h"
#include "platform/platform.h"

namespace mapio::translator {

inline constexpr std::string_view kExtensions[] = {".png", ".jpg", ".gif"};

// Only names with one of the three extensions (in any case) are kept, by
// their folded stem, so that the three names a record tries share one
// bucket: a record costs one lookup of cold memory, as much as a plain map
// of the folder would. The names stay in the listing's one block.
class CaseIndex {
 public:
  // `followNewNames`: index the names renamed to from the start; else they
  // are only counted, and MissesNewNames() tells when that matters.
  CaseIndex(platform::FolderListing names, bool followNewNames);

  struct Lookup {
    std::size_t count = 0;  // names with the same folded name
    bool exact = false;     // one of them is the name itself
    std::string_view any;   // one of them; valid until the next change
  };
  // `name` is a stem and one of kExtensions.
  Lookup Find(std::string_view name);
  // Whether Find(name) could miss a name the run renamed a file to: only
  // a name of digits can ask for one. A fresh listing then gives them all.
  bool MissesNewNames(std::string_view name) const;
  // Whether the folder holds `idName` (digits and one of kExtensions) in
  // other letters, such as 101.PNG for 101.png.
  bool HasOtherCaseOf(std::string_view idName) const;
  // `to` is always an ID name.
  void Renamed(const std::string& from, const std::string& to);

 private:
  // Indexes the first entry of names_ not yet indexed under key_, its
  // folded name: entries and numbers are the same.
  void IndexNext();
  void CountIfIdInOtherCase(std::string_view name, const std::string& key, int delta);

  platform::FolderListing names_;  // the folder's, then those renamed to
  NameIndex stems_;                // by entry: the folded stem, or the folded name
  // By entry: which of kExtensions it has; -1 for none, or once renamed away.
  std::vector<signed char> extension_;
  // Names the run renamed files to are all IDs, which only a record whose
  // from value is digits can ask for: until one does, they are not kept.
  bool followNewNames_;
  std::size_t unfollowedNewNames_ = 0;
  // Folded names of names that are an ID name in other letters; almost
  // always empty, so checking a target costs nothing.
  std::unordered_map<std::string, int> idsInOtherCase_;
  std::string key_;
  std::vector<std::uint32_t> found_;
};

}  // namespace mapio::translator
