// Records and problems into a PackFile, from values however the file was
// read: in one pass over its bytes, by an XML parser, or line by line.
#pragma once

#include <cstddef>
#include <string_view>

#include "pack/pack_file.h"

namespace mapio::pack {

class RecordReader {
 public:
  explicit RecordReader(PackFile& pack) : pack_(pack), cursor_(pack.lines) {}

  struct RawValue {
    std::string_view text;  // as written (a parser may have blanked its line ends)
    std::size_t offset;     // of its first byte in the file
  };

  // The record element at [begin, end) with its two values; false when it
  // is no record (an empty name). `inPack`: the values' text lives as long
  // as the pack, and need not be copied.
  bool Record(RawValue from, RawValue to, bool inPack, std::size_t begin, std::size_t end);

  // Every line of [begin, end) that holds more than blanks, on its own
  // line number, with its own text.
  void NotARecord(std::size_t begin, std::size_t end);

  // Another list was chosen: what was read so far goes.
  void Forget();

 private:
  std::string_view Value(RawValue raw, bool inPack);

  PackFile& pack_;
  LineIndex::Cursor cursor_;
  bool faultOfRecord_ = false;
  std::uint32_t lastNotARecord_ = 0;
};

}  // namespace mapio::pack
