// A folder's entries: listing, the order names sort in, and where links lead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapio::platform {

// What an entry of a folder is. Only a File can be a picture as it is; a
// Link is one when FollowLink finds a file inside the pack at its end.
enum class EntryKind : std::uint8_t {
  File,       // a regular file
  Directory,  // a folder, or a link to one
  Link,       // a symbolic link to anything but a folder, or to nothing
  Fifo,       // a named pipe
  Device,     // a character or block device
  Socket,
};

struct DirEntry {
  std::string_view name;  // into the listing that gave it
  EntryKind kind = EntryKind::File;
  bool IsDirectory() const { return kind == EntryKind::Directory; }
};

// What tells a file from every other for as long as it lives, renames
// included: its device and inode; on Windows the volume's serial number
// and the file's index.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

// A folder's entries, their names in large blocks of memory: half a million
// names are half a million allocations otherwise. A block never moves, so
// growing copies no name and a listing that moves keeps its names where
// they were.
class FolderListing {
 public:
  class Iterator;
  void Clear();
  // Each name added from now on keeps the number of its file (inode, file
  // index), kept just before it: the listing is of a folder on `device`,
  // whose file system keeps the numbers as long as the files (`lasting`).
  void KeepNumbers(std::uint64_t device, bool lasting);
  // `number` is kept only where KeepNumbers was called.
  void Add(std::string_view name, EntryKind kind = EntryKind::File, std::uint64_t number = 0);
  // Room for `entries` in all, made at once: what is never added costs
  // no memory, where growing by doubling would copy all it holds.
  void Reserve(std::size_t entries) { entries_.reserve(entries); }
  // The identity of the file `name` names, a name this listing holds (its
  // very bytes, not a copy); nullopt unless the listing keeps lasting numbers.
  std::optional<FileIdentity> IdentityOf(std::string_view name) const;
  std::size_t Size() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }
  std::size_t TextSize() const { return textSize_; }  // of all the names
  DirEntry operator[](std::size_t i) const {
    return {{entries_[i].name, entries_[i].size}, entries_[i].kind};
  }
  Iterator begin() const;
  Iterator end() const;
  // Into the order of CompareNames, each name folded once.
  void SortByName();

 private:
  struct Entry {
    const char* name;
    std::uint32_t size;
    EntryKind kind;
  };
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // in the last block
  std::size_t blockLeft_ = 0;
  std::size_t textSize_ = 0;
  std::vector<Entry> entries_;
  bool numbered_ = false;
  bool lasting_ = false;
  std::uint64_t device_ = 0;
};

class FolderListing::Iterator {
 public:
  Iterator(const FolderListing* list, std::size_t i) : list_(list), i_(i) {}
  DirEntry operator*() const { return (*list_)[i_]; }
  Iterator& operator++() {
    ++i_;
    return *this;
  }
  bool operator==(const Iterator& other) const { return i_ == other.i_; }

 private:
  const FolderListing* list_;
  std::size_t i_;
};

inline FolderListing::Iterator FolderListing::begin() const { return {this, 0}; }
inline FolderListing::Iterator FolderListing::end() const { return {this, entries_.size()}; }

enum class ListOrder { ByName, AsStored };

// Every entry of `folder` but "." and "..". ByName sorts them with
// CompareNames, so that the order is the same on every file system;
// AsStored is for callers that only look names up. Returns false (and
// leaves `entries` empty) when the folder cannot be searched.
bool ListFolder(const std::string& folder, FolderListing& entries,
                ListOrder order = ListOrder::ByName);
// The same as they are stored, each with its file's number (see
// FolderListing::KeepNumbers): what tells a file that was renamed from
// another that took its name, at no cost beyond the listing.
bool ListFolderNumbered(const std::string& folder, FolderListing& entries);

// Where the symbolic link `path` leads, followed to its end: the kind of
// what is there (Link when nothing is: a broken link, a loop), and whether
// that lies inside the folder `root`. Each call looks both up again: for
// the few links a pack may hold.
struct LinkEnd {
  EntryKind kind = EntryKind::Link;
  bool inside = false;
};
LinkEnd FollowLink(const std::string& path, const std::string& root);

// The order NTFS lists a folder in: names compared after both are folded to
// upper case (as NTFS folds case), ties broken by their bytes.
// Negative, zero or positive like strcmp.
int CompareNames(std::string_view a, std::string_view b);

// The key CompareNames compares first; sorting by (key, bytes) gives the
// same order without folding each name again for every comparison.
std::u16string NameSortKey(std::string_view name);

}  // namespace mapio::platform
