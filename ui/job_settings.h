#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/object_kind.h"

namespace mapio {

enum class Action : std::uint8_t { Make, Translate };

// The settings of one job, as the window's controls show them; a group
// with no button marked is nullopt.
struct JobSettings {
  std::string folderPath;
  bool allFilenamesAreIds = false;
  std::optional<ObjectKind> objectKind = Faces;
  bool processDroppedFolders = false;
  std::optional<Action> action = Action::Make;

  // The kind a job takes: faces when no button is marked.
  ObjectKind Kind() const { return objectKind.value_or(Faces); }

  bool operator==(const JobSettings&) const = default;
};

}  // namespace mapio
