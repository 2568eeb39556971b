// config.xml in the pieces the translate job has always handled as lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace mapio::pack {

struct Piece {
  // As the file holds it: a CR LF that the system's text files take as
  // one line end stays CR LF here.
  std::string_view text;
  std::size_t begin = 0;  // where it starts in the file
};

// One piece is what fgets gives in text mode with a 512-byte buffer: at
// most 511 characters, up to and including the next LF. A CR LF file is
// cut exactly like its LF twin: when a full piece ends in the CR of a CR
// LF, the lone LF that follows is not a piece of its own (it would cost a
// read of the search for the list and turn up as an extra empty line).
class PieceReader {
 public:
  static constexpr std::size_t kBufferSize = 512;

  // `file` is opened in binary mode: the pieces know where they stand.
  explicit PieceReader(platform::TextReader& file);

  // False at the end of the file (or on a read error). The piece stays
  // valid until the next call.
  bool Next(Piece& piece);

 private:
  // Whether a whole piece, and the byte after it, are at hand.
  bool Fill();

  platform::TextReader& file_;
  const bool joinCrLf_;
  std::string block_;
  std::size_t blockStart_ = 0;  // where block_ starts in the file
  std::size_t at_ = 0;
  std::size_t size_ = 0;
  bool end_ = false;
  bool fullPieceEndedInCr_ = false;
};

}  // namespace mapio::pack
