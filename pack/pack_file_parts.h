// The two ways of reading a pack's config.xml, for pack_file.cpp.
#pragma once

#include <string_view>

#include "pack/pack_file.h"

namespace mapio::pack {

inline constexpr std::string_view kRecordElement = "record";

// With a full XML parser, which builds a tree of the whole file: for what
// the one-pass reader leaves to it. Fills records, problems and the list.
void ReadWithParser(PackFile& pack);

}  // namespace mapio::pack
