// Reads config.xml in the pieces the job handles as lines.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/platform.h"

namespace mapio::translator {

// One piece is what fgets gives with a 512-byte buffer: at most 511
// characters, up to and including the next LF. A CR LF file is cut exactly
// like its LF twin: when a full piece ends in the CR of a CR LF, the lone LF
// that follows is not a piece of its own (it would cost a read of the search
// for the list and turn up as an extra empty line).
class PieceReader {
 public:
  static constexpr std::size_t kBufferSize = 512;

  explicit PieceReader(platform::TextReader& reader) : reader_(reader) {}

  // False at the end of the file (or on a read error). The piece stays valid
  // until the next call.
  bool Next(std::string_view& piece);

 private:
  platform::TextReader& reader_;
  char buffer_[kBufferSize];
  bool fullPieceEndedInCr_ = false;
};

}  // namespace mapio::translator
