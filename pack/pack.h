// A pack as a job finds it: its config.xml read once and its folder listed
// once, side by side.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "core/object_kind.h"
#include "pack/pack_file.h"
#include "pack/pack_folder.h"

namespace mapio::pack {

struct Pack {
  PackFile file;
  std::unique_ptr<PackFolder> folder;
};

// The listing waits on the system, the reading on the file and the parser:
// done side by side, a large pack is read in half the time.
Pack LoadPack(const std::string& folderPath);

// Records counted by kind, and the kind most of them have (the first in the
// table's order on a tie; faces when there are none).
using KindCounts = std::array<std::size_t, kObjectKindCount>;
ObjectKind MostCommonKind(const KindCounts& counts);

// The kind most of the file's records have; faces for a file without any.
ObjectKind KindOfRecords(const PackFile& file);

}  // namespace mapio::pack
