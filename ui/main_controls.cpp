#include "ui/main_controls.h"

#include <optional>

#include "core/object_kind.h"

namespace mapio::ui {

namespace {

template <typename Value>
std::optional<Value> Marked(int position, int buttons) {
  if (position < 0 || position >= buttons) return std::nullopt;
  return static_cast<Value>(position);
}

template <typename Value>
int Position(const std::optional<Value>& value) {
  return value ? static_cast<int>(*value) : -1;
}

}  // namespace

std::size_t CountCharacters(const std::string& text) {
  std::size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

bool PullFromControls(const MainControls& controls, JobSettings& settings) {
  settings.folderPath = controls.pathText;
  settings.action = Marked<Action>(controls.actionPosition, kActionButtons);
  settings.allFilenamesAreIds = controls.allFilenamesAreIds;
  settings.objectKind = Marked<ObjectKind>(controls.objectPosition, kObjectButtons);
  settings.processDroppedFolders = controls.processDroppedFolders;
  return CountCharacters(controls.pathText) <= kPathBoxLimit;
}

void PushToControls(const JobSettings& settings, MainControls& controls) {
  controls.pathText = settings.folderPath;
  controls.actionPosition = Position(settings.action);
  controls.allFilenamesAreIds = settings.allFilenamesAreIds;
  controls.objectPosition = Position(settings.objectKind);
  controls.processDroppedFolders = settings.processDroppedFolders;
}

}  // namespace mapio::ui
