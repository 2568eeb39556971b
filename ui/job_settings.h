#pragma once

#include <cstdint>
#include <string>

namespace mapio {

enum Action : std::int32_t { kActionNone = -1, kActionMake = 0, kActionTranslate = 1 };

// The settings of one job, as the window's controls show them.
struct JobSettings {
  std::string folderPath;
  std::int32_t allFilenamesAreIds = 0;
  std::int32_t objectKind = 0;  // an ObjectKind, -1 when nothing is marked
  std::int32_t processDroppedFolders = 0;
  std::int32_t action = kActionMake;  // an Action, -1 when nothing is marked

  bool operator==(const JobSettings&) const = default;
};

}  // namespace mapio
