// Reading a pack's config.xml once, into its records: each with its bytes
// in the file, its lines and its target. Every job that edits the file
// edits those bytes; every job that checks it looks at those records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pack/line_index.h"
#include "pack/target.h"
#include "platform/files.h"

namespace mapio::pack {

inline constexpr std::uint32_t kNoOffset = UINT32_MAX;

struct Record {
  // Into the PackFile that holds the record. Entities decoded; where they
  // are broken, as written.
  std::string_view from;
  std::string_view to;
  // The element's bytes in PackFile::bytes, its first and last lines.
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
  std::uint32_t line = 0;
  std::uint32_t lastLine = 0;
  // Where the to value's first byte stands in the file; kNoOffset when `to`
  // is not the value's bytes as written (it held an entity).
  std::uint32_t toValue = kNoOffset;
  Target target;
  // The name was not UTF-8: written by an older tool in a single-byte code
  // page, and `from` is what it meant.
  bool legacyName = false;
};

struct Problem {
  enum class Kind {
    NoFile,               // no config.xml to read (`text` says why, when known)
    NoList,               // no <list id="maps">
    EndsInList,           // the file stops before the list is closed
    NotWellFormed,        // the XML parser's complaint, with line and column
    NotARecord,           // a line in the list that is no element, comment or blank
    RecordNotWellFormed,  // a record's value that is not well-formed (a bare "&")
  };
  Kind kind;
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::string text;                  // the parser's words, or the offending line
  std::uint32_t record = kNoOffset;  // for RecordNotWellFormed: its index
};

// Takes each record as it is read, instead of PackFile::records: a job that
// looks at each once holds none of them.
using RecordSink = std::function<void(const Record&)>;

// Holds what its records' values point into: it moves, but is never copied.
struct PackFile {
  PackFile() = default;
  PackFile(PackFile&&) = default;
  PackFile& operator=(PackFile&&) = default;
  PackFile(const PackFile&) = delete;
  PackFile& operator=(const PackFile&) = delete;

  std::string bytes;  // the file as it was read
  // How the reading went, and the file as it stood before it was read: a
  // job that writes the file back writes only over that very file.
  platform::ReadResult readResult = platform::ReadResult::Missing;
  bool utf16 = false;  // read, but UTF-16 text: no records taken from it
  platform::FileStamp stamp;
  LineIndex lines;
  std::vector<Record> records;  // in file order
  std::vector<Problem> problems;
  bool exists = false;  // there was a file, and it was read
  bool listFound = false;
  bool wellFormed = false;
  // Where the list's own closing tag "</list" starts: kNoOffset when it has
  // none (a file cut off, a list written as <list .../>).
  std::uint32_t listEnd = kNoOffset;

  bool Editable() const { return listFound && listEnd != kNoOffset; }

  // The values that had entities: the others point into `bytes`.
  std::deque<std::string> decoded;
  // While it is read: where its records go, when not into `records`.
  const RecordSink* sink = nullptr;
  std::uint32_t recordCount = 0;  // read so far, wherever they went
};

// Reads the text of a config.xml. Where it is not well-formed XML, the list
// is read line by line instead, so that the records that are fine still count.
PackFile ParsePackFile(std::string bytes, const RecordSink* sink = nullptr);

// The folder's config.xml, read once.
PackFile ReadPackFile(const std::string& folderPath, const RecordSink* sink = nullptr);

}  // namespace mapio::pack
