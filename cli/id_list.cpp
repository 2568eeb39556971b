#include "cli/id_list.h"

#include <algorithm>
#include <string_view>

#include "platform/files.h"
#include "platform/text.h"

namespace mapio::cli {

namespace {

// An ID is at most ten digits: a line longer than this is no ID, and only
// its start is kept to say so.
constexpr std::size_t kLineKept = 64;

}  // namespace

bool ReadIdList(const std::string& path, std::vector<convert::IdRange>& ids, std::string& error,
                std::size_t limit) {
  platform::TextReader reader;
  if (!reader.Open(path)) {
    error = "cannot read the list of IDs '" + path + "'";
    return false;
  }
  std::size_t listed = 0;
  std::size_t lineNumber = 0;
  std::string line;
  std::size_t length = 0;  // of the line so far, kept or not
  char piece[256];
  for (;;) {
    const std::size_t got = reader.ReadPiece(piece, sizeof piece);
    if (got > 0) {
      line.append(piece, std::min(got, kLineKept - std::min(kLineKept, line.size())));
      length += got;
      if (piece[got - 1] != '\n') continue;
    } else if (length == 0) {
      break;
    }
    ++lineNumber;
    const std::string_view text = platform::Trim(line);
    const bool cut = length > line.size();
    if (!text.empty()) {
      const auto id = convert::ParseIdRange(text);
      if (cut || !id || id->first != id->last) {
        error = path + ":" + std::to_string(lineNumber) + ": not an ID: " + std::string(text) +
                (cut ? "..." : "");
        return false;
      }
      if (++listed > limit) {
        error =
            path + " lists more than " + std::to_string(limit) + " IDs, more than a list may hold";
        return false;
      }
      // A sorted list costs one range per run of IDs.
      if (!ids.empty() && ids.back().last + 1 == id->first)
        ids.back().last = id->first;
      else
        ids.push_back(*id);
    }
    line.clear();
    length = 0;
  }
  if (reader.ReadFailed()) {
    error = "cannot read the list of IDs '" + path + "'";
    return false;
  }
  if (listed == 0) {
    error = path + " lists no IDs";
    return false;
  }
  return true;
}

}  // namespace mapio::cli
