#include "pack/piece_reader.h"

#include <algorithm>
#include <cstring>

namespace mapio::pack {

namespace {

constexpr std::size_t kMaxCharacters = PieceReader::kBufferSize - 1;
// A piece of 511 characters whose last is a CR LF, and the byte after it.
constexpr std::size_t kLookAhead = kMaxCharacters + 2;
constexpr std::size_t kBlock = 64 * 1024;

}  // namespace

PieceReader::PieceReader(platform::TextReader& file)
    : file_(file), joinCrLf_(platform::TextFilesJoinCrLf()) {}

bool PieceReader::Fill() {
  while (!end_ && size_ - at_ < kLookAhead) {
    if (block_.empty()) block_.resize(kBlock);
    std::memmove(block_.data(), block_.data() + at_, size_ - at_);
    blockStart_ += at_;
    size_ -= at_;
    at_ = 0;
    const std::size_t got = file_.ReadBlock(block_.data() + size_, block_.size() - size_);
    if (got == 0) end_ = true;
    size_ += got;
  }
  return at_ < size_;
}

bool PieceReader::Next(Piece& piece) {
  for (;;) {
    if (!Fill()) return false;
    const char* const p = block_.data() + at_;
    const std::size_t available = size_ - at_;
    std::size_t take = 0;        // bytes
    std::size_t characters = 0;  // as text mode counts them
    char last = '\0';
    if (!joinCrLf_) {
      const std::size_t n = std::min(available, kMaxCharacters);
      const void* lf = std::memchr(p, '\n', n);
      take = characters = lf != nullptr ? static_cast<const char*>(lf) - p + 1 : n;
      last = p[take - 1];
    } else {
      while (characters < kMaxCharacters && take < available) {
        last = p[take++];
        ++characters;
        if (last == '\r' && take < available && p[take] == '\n') {
          last = p[take++];
        }
        if (last == '\n') break;
      }
    }
    const bool restOfCrLf = fullPieceEndedInCr_ && characters == 1 && last == '\n';
    fullPieceEndedInCr_ = characters == kMaxCharacters && last == '\r';
    piece.text = std::string_view(p, take);
    piece.begin = blockStart_ + at_;
    at_ += take;
    if (!restOfCrLf) return true;
  }
}

}  // namespace mapio::pack
