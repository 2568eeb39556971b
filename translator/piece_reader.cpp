#include "translator/piece_reader.h"

namespace mapio::translator {

bool PieceReader::Next(std::string_view& piece) {
  for (;;) {
    const std::size_t n = reader_.ReadPiece(buffer_, kBufferSize);
    if (n == 0) return false;
    const bool restOfCrLf = fullPieceEndedInCr_ && n == 1 && buffer_[0] == '\n';
    fullPieceEndedInCr_ = n == kBufferSize - 1 && buffer_[n - 1] == '\r';
    if (restOfCrLf) continue;
    piece = std::string_view(buffer_, n);
    return true;
  }
}

}  // namespace mapio::translator
