// How a pack writes its record lines, so that lines added to it look like
// the lines it has.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/object_kind.h"
#include "core/record_template.h"
#include "pack/pack_file.h"

namespace mapio::pack {

struct LineStyle {
  std::string indent = "\t\t";
  std::string beforeClose;  // what stands between the last value and "/>"
  std::string lineEnd = "\n";
  TargetStyle target;
};

// The style of new lines of `kind` in `file`: the target form most of its
// records of the kind have, the indent and the spacing before "/>" of the
// last record line, and that line's line end. A file without records gets
// the make job's lines, with the file's own line end.
LineStyle StyleOf(const PackFile& file, ObjectKind kind);

}  // namespace mapio::pack
