// Lines of a file's bytes: LF, CR LF and a lone CR each end one, as editors
// and the game's reader count them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace mapio::pack {

class LineIndex {
 public:
  LineIndex() = default;
  explicit LineIndex(std::string_view bytes);

  std::uint32_t Count() const { return static_cast<std::uint32_t>(starts_.size()); }
  // The line that holds `offset`, from 1.
  std::uint32_t Line(std::size_t offset) const;
  std::size_t Start(std::uint32_t line) const { return starts_[line - 1]; }
  // Where line `line`'s text ends, before its line end.
  std::size_t End(std::uint32_t line) const;
  // Where the next line starts (the file's size for the last one).
  std::size_t Next(std::uint32_t line) const { return line < Count() ? starts_[line] : size_; }

  // Line() for offsets that only grow, as a file's records come: each step
  // costs nothing like a search.
  class Cursor {
   public:
    explicit Cursor(const LineIndex& index) : index_(&index) {}
    std::uint32_t Line(std::size_t offset);

   private:
    const LineIndex* index_;
    std::uint32_t line_ = 1;
  };

 private:
  std::vector<std::uint32_t> starts_;  // files are at most a few hundred MB
  std::size_t size_ = 0;
  std::string_view bytes_;
};

// The line end a line of `bytes` has: "\r\n", "\n", "\r", or "" for the last
// one when it has none.
std::string_view LineEndAt(std::string_view bytes, std::size_t lineEnd);

}  // namespace mapio::pack
