#include "pack/pack.h"

#include <array>

#include "platform/platform.h"

namespace mapio::pack {

Pack LoadPack(const std::string& folderPath) {
  Pack pack;
  platform::RunTogether([&] { pack.folder = std::make_unique<PackFolder>(folderPath); },
                        [&] { pack.file = ReadPackFile(folderPath); });
  return pack;
}

std::int32_t KindOfRecords(const PackFile& file) {
  std::array<std::size_t, kObjectKindCount> counts{};
  for (const Record& r : file.records)
    if (r.target.form == Target::Form::Id) ++counts[r.target.kind];
  std::int32_t best = Faces;
  for (std::int32_t kind = 0; kind < kObjectKindCount; ++kind)
    if (counts[kind] > counts[best]) best = kind;
  return best;
}

}  // namespace mapio::pack
