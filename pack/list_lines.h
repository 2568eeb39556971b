// config.xml's list of maps read line by line, as the translate job has
// always read it, so that its answers on the files make writes stay exact;
// a line that this reading cannot take gets the records the pack's
// one-pass reader finds there (r- IDs, small logos, nations under team/,
// attributes in another order or on other lines).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/object_kind.h"
#include "pack/pack_file.h"
#include "pack/piece_reader.h"
#include "pack/read_format.h"
#include "platform/files.h"

namespace mapio::pack {

// The pack's records by where they stand in config.xml: read whole, once,
// and only when a line asks.
class RecordPlaces {
 public:
  RecordPlaces(std::string folderPath, ObjectKind kind);

  struct Place {
    std::uint32_t begin = 0;  // the record element's bytes
    std::uint32_t end = 0;
    std::string_view from;  // decoded, as UTF-8
    std::string_view id;    // its digits; empty for a record of another kind
  };
  // In the order of the file; empty when config.xml cannot be read.
  const std::vector<Place>& Load();
  std::string_view Bytes() const { return file_.bytes; }

 private:
  std::string folderPath_;
  ObjectKind kind_;
  bool loaded_ = false;
  PackFile file_;
  std::vector<Place> places_;
};

// What a line of the list that is to be a record comes to, or one of the
// records the pack found on it.
struct ListEntry {
  bool record = false;    // false: no record of the kind the job can take
  std::string_view name;  // a file right in the folder, without extension
  std::string_view id;    // digits, leading zeros kept
};

class ListLines {
 public:
  // `places` is shared by every reading of the same file.
  ListLines(RecordPlaces& places, ObjectKind kind);

  // Opens the folder's config.xml; false, with the reason, when it cannot.
  bool Open(const std::string& folderPath);
  platform::ReadResult OpenResult() const { return file_.OpenResult(); }
  // Looks for the line "<list id="maps">" in the first 256 reads.
  bool FindList();
  // The next entry of the list; false at "</list>" or the end of the file.
  // Empty lines and comments give none. Valid until the next call.
  bool Next(ListEntry& entry);

 private:
  // Where the line reading cannot take `piece`: the pack's records that
  // start on it become pending; false when none of them is of the kind.
  bool RecordsOn(const Piece& piece);
  bool TakePending(ListEntry& entry);

  platform::TextReader file_;
  PieceReader pieces_;
  RecordPlaces& places_;
  const ObjectKind kind_;
  const std::string_view format_;
  RecordFields fields_;
  std::size_t next_ = 0;     // the first place not yet passed
  std::size_t pending_ = 0;  // places on the current line still to give
  std::size_t pendingEnd_ = 0;
  std::size_t givenEnd_ = 0;  // past the last record the pack gave
  bool ended_ = false;
};

}  // namespace mapio::pack
