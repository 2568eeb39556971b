// How the scan jobs check one pack of a folder: the one place they speak to
// check's options and callbacks.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "checker/check_pack.h"
#include "core/job_questions.h"
#include "core/object_kind.h"
#include "pack/pack.h"

namespace mapio::scan {

struct PackCheck {
  std::optional<ObjectKind> kind;  // nullopt: the kind most of its records have
  bool pictures = true;
  bool deep = false;
  bool caseSensitive = false;
  std::function<std::string(ObjectKind kind)> kindName;
  std::function<void(const JobProgress& progress)> progress;
  // Each finding as it comes, none held in the report; empty: all held.
  std::function<void(const checker::Finding& finding)> finding;
};

// The pack at `path` as the walk loaded it.
checker::PackReport CheckOnePack(const std::string& path, pack::Pack& pack, const PackCheck& how);

}  // namespace mapio::scan
