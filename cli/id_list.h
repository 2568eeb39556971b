// The IDs of convert's --ids-from: a file that lists them one a line.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "convert/convert_ids.h"

namespace mapio::cli {

// Far more than any pack has IDs, and what a list may hold: 10 million IDs
// take some 160 MB once read.
inline constexpr std::size_t kMaxListedIds = 10'000'000;

// Reads the file line by line, so that no line and no file is ever held
// whole; blank lines are passed over. False with `error` set for a file
// that cannot be read, a line that is no ID, a file with no ID at all, or
// more than `limit` IDs.
bool ReadIdList(const std::string& path, std::vector<convert::IdRange>& ids, std::string& error,
                std::size_t limit = kMaxListedIds);

}  // namespace mapio::cli
