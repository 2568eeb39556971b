// Reading a pack's config.xml into its records, each with the line it is
// on. Knows nothing of kinds or pictures: the check and the update job
// build on it.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace mapio::checker {

struct PackRecord {
  std::size_t line = 0;
  // Into the PackFile that holds the record. Entities decoded; where they
  // are broken, as written.
  std::string_view from;
  std::string_view to;
  // Why the record's text is not well-formed XML (a bare "&", a "<"), or nullptr.
  const char* notWellFormed = nullptr;
  std::size_t column = 0;  // of that fault
};

struct PackProblem {
  enum class Kind {
    NoFile,         // no config.xml to read
    NoList,         // no <list id="maps">
    EndsInList,     // the file stops before the list is closed
    NotWellFormed,  // the XML parser's complaint, with line and column
    NotARecord,     // something in the list that is no record, comment or blank
  };
  Kind kind;
  std::size_t line = 0;
  std::size_t column = 0;
  std::string text;  // the parser's words, or the offending line
};

// Holds what its records' values point into: it moves, but is never copied.
struct PackFile {
  PackFile() = default;
  PackFile(PackFile&&) = default;
  PackFile& operator=(PackFile&&) = default;
  PackFile(const PackFile&) = delete;
  PackFile& operator=(const PackFile&) = delete;

  std::vector<PackRecord> records;  // in file order
  std::vector<PackProblem> problems;
  bool listFound = false;
  bool wellFormed = false;
  // Byte offset of the "</list" that closes the list; npos when it has none.
  std::size_t listEnd = std::string_view::npos;

  // The file as the XML parser left it, values ended in place: most values
  // are read straight from it, with no copy of their own. Always on the
  // heap, so that a move keeps it where the values point.
  std::string parsed;
  std::deque<std::string> decoded;  // the values that had entities
};

// Reads the text of a config.xml. Where it is not well-formed XML, the list
// is read line by line instead, so that the records that are fine still count.
PackFile ParsePackFile(std::string_view bytes);

// The folder's config.xml.
PackFile ReadPackFile(const std::string& folderPath);

}  // namespace mapio::checker
