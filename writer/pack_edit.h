// Changes to a config.xml that leave every other byte as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mapio {

struct PackEdit {
  std::vector<std::size_t> removeLines;  // whole lines, from 1, ascending
  std::size_t insertAt = 0;              // byte offset where `insert` goes
  std::string insert;
};

// The file's line end: CR LF when its first line ends so, else LF.
std::string_view LineEndOf(std::string_view bytes);

// Where new record lines go so that they end up just before the list's
// closing tag at `listEnd`: the start of its line when nothing but blanks
// stands before it there, else the tag itself (and the lines then need a
// line end in front, which `needsBreak` tells).
std::size_t InsertionPoint(std::string_view bytes, std::size_t listEnd, bool& needsBreak);

std::string ApplyPackEdit(std::string_view bytes, const PackEdit& edit);

}  // namespace mapio
