// The main window's controls as plain data, and the data exchange between
// them and JobSettings. Every front end reads its widgets into MainControls
// and writes them back from it, so the exchange itself is written once.
#pragma once

#include <cstddef>
#include <string>

#include "ui/job_settings.h"
#include "core/object_kind.h"

namespace mapio::ui {

// The path box takes no more than this many characters.
inline constexpr std::size_t kPathBoxLimit = 2048;

struct MainControls {
  std::string pathText;                // path box, UTF-8
  int actionPosition = 0;              // marked button of the action group, -1 for none
  int objectPosition = 0;              // marked button of the object group, -1 for none
  bool allFilenamesAreIds = false;     // "All filenames are IDs"
  bool processDroppedFolders = false;  // "Process draged folders"
  // Only the mode switches change these; the exchange leaves them alone.
  bool allFilenamesEnabled = true;
  bool kitsEnabled = true;

  bool operator==(const MainControls&) const = default;
};

// Characters of a UTF-8 text (bytes that do not begin a sequence are skipped).
std::size_t CountCharacters(const std::string& text);

// Controls into the record, in the window's order: path, action, first
// check box, object, second check box. False when the path box holds more
// than kPathBoxLimit characters; every field is copied even then.
bool PullFromControls(const MainControls& controls, JobSettings& settings);

// The record into the controls; the enabled states are kept.
void PushToControls(const JobSettings& settings, MainControls& controls);

// Number of buttons per group, hidden background choices included.
inline constexpr int kActionButtons = 2;
inline constexpr int kObjectButtons = static_cast<int>(kObjectKindCount);

}  // namespace mapio::ui
