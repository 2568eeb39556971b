// The folder's pictures by their case-insensitive name, for finding a
// picture whose name differs from its record only in letter case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mapio::translator {

inline constexpr std::string_view kExtensions[] = {".png", ".jpg", ".gif"};

// Only names with one of the three extensions (in any case) are kept, by
// their folded stem, so that the three names a record tries share one
// bucket: a record costs one lookup of cold memory, as much as a plain map
// of the folder would.
class CaseIndex {
 public:
  explicit CaseIndex(const std::vector<std::string>& names);

  struct Lookup {
    std::size_t count = 0;             // names with the same folded name
    bool exact = false;                // one of them is the name itself
    const std::string* any = nullptr;  // one of them; valid until the next change
  };
  // `name` is a stem and one of kExtensions.
  Lookup Find(std::string_view name);
  // Whether the folder holds `idName` (digits and one of kExtensions) in
  // other letters, such as 101.PNG for 101.png.
  bool HasOtherCaseOf(std::string_view idName) const;
  // `to` is always an ID name.
  void Renamed(const std::string& from, const std::string& to);

 private:
  struct Entry {
    std::string name;
    int extension;
  };
  void Add(std::string key, std::string name);
  void IndexNewIdNames();
  void CountIfIdInOtherCase(const std::string& name, const std::string& key, int delta);

  std::unordered_multimap<std::string, Entry> byStem_;
  // Names the run renamed files to. Only a record whose from value is
  // digits can ask for them, so they are indexed only then.
  std::vector<std::string> newIdNames_;
  bool newIdNamesIndexed_ = false;
  // Folded names of names that are an ID name in other letters; almost
  // always empty, so checking a target costs nothing.
  std::unordered_map<std::string, int> idsInOtherCase_;
};

}  // namespace mapio::translator
