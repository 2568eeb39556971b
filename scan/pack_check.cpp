#include "scan/pack_check.h"

namespace mapio::scan {

checker::PackReport CheckOnePack(const std::string& path, pack::Pack& pack, const PackCheck& how,
                                 checker::CheckEvents& events) {
  checker::CheckOptions options;
  options.pictures = how.pictures;
  options.deep = how.deep;
  options.caseSensitive = how.caseSensitive;
  return checker::CheckPack(path, pack, how.kind, options, events);
}

}  // namespace mapio::scan
