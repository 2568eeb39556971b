#include "ui/main_controls.h"

#include "core/object_kind.h"

namespace mapio::ui {

namespace {

int GroupPosition(std::int32_t value, int buttons) {
  return value >= 0 && value < buttons ? value : -1;
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
  settings.action = GroupPosition(controls.actionPosition, kActionButtons);
  settings.allFilenamesAreIds = controls.allFilenamesAreIds ? 1 : 0;
  settings.objectKind = GroupPosition(controls.objectPosition, kObjectButtons);
  settings.processDroppedFolders = controls.processDroppedFolders ? 1 : 0;
  return CountCharacters(controls.pathText) <= kPathBoxLimit;
}

void PushToControls(const JobSettings& settings, MainControls& controls) {
  controls.pathText = settings.folderPath;
  controls.actionPosition = GroupPosition(settings.action, kActionButtons);
  controls.allFilenamesAreIds = settings.allFilenamesAreIds != 0;
  controls.objectPosition = GroupPosition(settings.objectKind, kObjectButtons);
  controls.processDroppedFolders = settings.processDroppedFolders != 0;
}

}  // namespace mapio::ui
