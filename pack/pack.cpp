#include "pack/pack.h"

#include <array>

#include "platform/process.h"

namespace mapio::pack {

Pack LoadPack(const std::string& folderPath) {
  Pack pack;
  platform::RunTogether([&] { pack.folder = std::make_unique<PackFolder>(folderPath); },
                        [&] { pack.file = ReadPackFile(folderPath); });
  return pack;
}

ObjectKind MostCommonKind(const KindCounts& counts) {
  ObjectKind best = Faces;
  for (const ObjectKind kind : kAllKinds)
    if (counts[IndexOf(kind)] > counts[IndexOf(best)]) best = kind;
  return best;
}

ObjectKind KindOfRecords(const PackFile& file) {
  KindCounts counts{};
  for (const Record& r : file.records)
    if (r.target.form == Target::Form::Id) ++counts[IndexOf(r.target.kind)];
  return MostCommonKind(counts);
}

}  // namespace mapio::pack
