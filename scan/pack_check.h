// How the scan jobs check one pack of a folder: the one place they speak to
// check's options.
#pragma once

#include <optional>
#include <string>

#include "checker/check_pack.h"
#include "core/job_events.h"
#include "core/object_kind.h"
#include "pack/pack.h"

namespace mapio::scan {

struct PackCheck {
  std::optional<ObjectKind> kind;  // nullopt: the kind most of its records have
  bool pictures = true;
  bool deep = false;
  bool caseSensitive = false;
};

// The pack at `path` as the walk loaded it.
checker::PackReport CheckOnePack(const std::string& path, pack::Pack& pack, const PackCheck& how,
                                 checker::CheckEvents& events);

}  // namespace mapio::scan
