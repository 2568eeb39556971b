// Changes to a config.xml's bytes that leave every other byte as it was.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pack/pack_file.h"

namespace mapio::pack {

class PackEdit {
 public:
  struct Splice {
    std::size_t at;         // in the file's bytes
    std::size_t erase;      // bytes taken out there
    std::string_view text;  // put in their place; static, or kept by the edit
  };

  void Remove(std::size_t begin, std::size_t end) { splices_.push_back({begin, end - begin, {}}); }
  // `text` must outlive the edit: a literal, or one Keep() returned.
  void Replace(std::size_t at, std::size_t erase, std::string_view text) {
    splices_.push_back({at, erase, text});
  }
  void Insert(std::size_t at, std::string text) { Replace(at, 0, Keep(std::move(text))); }
  std::string_view Keep(std::string text) { return texts_.emplace_back(std::move(text)); }

  void Reserve(std::size_t splices) { splices_.reserve(splices); }
  bool Empty() const { return splices_.empty(); }
  // In the order of their places; none may overlap another.
  std::vector<Splice> Sorted() const;
  // The edited file, piece by piece: the pieces in order are its bytes.
  void WriteTo(std::string_view bytes, const std::function<void(std::string_view)>& write) const;
  std::string Apply(std::string_view bytes) const;

 private:
  std::vector<Splice> splices_;
  std::deque<std::string> texts_;
};

// `file` with `edit` made, written over `path` whole or not at all, and
// only over the file as it was read: None, or why nothing was written.
platform::WriteFailure WriteEdited(const std::string& path, const PackFile& file,
                                   const PackEdit& edit, const platform::WriterHooks& hooks = {});

// The bytes that go with a record: its own, and its whole lines (with the
// line end) when nothing else stands on them, so that no blank line stays.
std::pair<std::size_t, std::size_t> RemovalRange(const PackFile& file, const Record& record);

// Where lines go so that they end up just before the list's closing tag:
// the start of its line when nothing but blanks stands before it there,
// else the tag itself (and the lines then need a line end in front, which
// `needsBreak` tells).
std::size_t InsertionPoint(const PackFile& file, bool& needsBreak);

}  // namespace mapio::pack
