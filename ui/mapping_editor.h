// The "Edit XML" job: shows the folder's config.xml in an editor window and,
// after a confirmed save, writes it back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/job_host.h"
#include "core/job_settings.h"

namespace mapio::ui {

inline constexpr std::string_view kOpenFailedText = "Could not open config.xml file";
inline constexpr std::string_view kWriteFailedText =
    "Could not write config.xml file; it was left as it was";
inline constexpr std::string_view kCannotStoreText =
    "Could not save config.xml file: it is not UTF-8 text, and the edited text holds "
    "characters it cannot store";
inline constexpr std::string_view kConfirmSaveText = "Do you really want to save this file?";
inline constexpr std::string_view kConfirmSaveCaption = "Confirm save";

// The editor window of a front end.
class EditorView {
 public:
  virtual ~EditorView() = default;
  // Shows `text` (UTF-8, "\n" between lines) modally. Returns the text to
  // save once the user has confirmed a save, nullopt when the user closed
  // the window without one.
  // The text is handed over, since a large file should not be held twice.
  virtual std::optional<std::string> Edit(std::string text) = 0;
};

// The edit job's one entry, for every window.
// Pulls the settings, reads <folderPath>/config.xml (a relative folder is
// taken against the directory the program started in) and runs the view.
// A confirmed save replaces the file only once the new text is completely
// written; when that fails, the old file stays and the editor opens again
// with the unsaved text. Never creates config.xml.
void MappingEditor(JobHost& host, JobSettings& settings, EditorView& view);

}  // namespace mapio::ui
