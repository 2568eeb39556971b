#include "scan/pack_check.h"

namespace mapio::scan {

checker::PackReport CheckOnePack(const std::string& path, pack::Pack& pack, const PackCheck& how) {
  checker::CheckOptions options;
  options.pictures = how.pictures;
  options.deep = how.deep;
  options.caseSensitive = how.caseSensitive;
  options.kindName = how.kindName;
  if (how.progress)
    options.progress = [&how](std::size_t done, std::size_t total) {
      how.progress({JobProgress::Phase::Checking, done, total});
    };
  options.onFinding = how.finding;
  return checker::CheckPack(path, pack, how.kind, options);
}

}  // namespace mapio::scan
