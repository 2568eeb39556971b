// The "Edit XML" job: shows the folder's config.xml in an editor window and,
// after a confirmed save, writes it back.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/platform.h"
#include "ui/editor_text.h"
#include "ui/job_host.h"
#include "ui/job_settings.h"

namespace mapio::ui {

inline constexpr std::string_view kOpenFailedText = "Could not open config.xml file";
inline constexpr std::string_view kWriteFailedText =
    "Could not write config.xml file; it was left as it was";
inline constexpr std::string_view kReplaceChangedText =
    "config.xml was changed by another program after it was opened here. Replace it with the "
    "text you are saving?";
inline constexpr std::string_view kConfirmSaveText = "Do you really want to save this file?";
inline constexpr std::string_view kConfirmSaveCaption = "Confirm save";

// The text of one editor window: the file's bytes, which a save writes as
// they are.
class EditorText {
 public:
  virtual ~EditorText() = default;
  virtual void Append(std::string_view bytes) = 0;
  // Every byte, in one piece; valid until the text next changes.
  virtual std::string_view Bytes() = 0;
};

// The editor window of a front end.
class EditorView {
 public:
  virtual ~EditorView() = default;
  // An empty text in a new editor window, not shown yet, with room for
  // `size` bytes; `coloured` when it is to be shown with XML colours.
  virtual std::unique_ptr<EditorText> NewText(std::size_t size, bool coloured) = 0;
  // Shows the window of `text` modally, in `look`, with its line `line`
  // (from 1; 0 for none) selected and in view. True once the user has
  // confirmed a save (the text then holds what to save), false when the
  // window was closed without one. After a failed save the same text is
  // shown again.
  virtual bool Edit(EditorText& text, const EditorLook& look, std::size_t line) = 0;
};

// The edit job's one entry, for every window.
// Pulls the settings, reads <folderPath>/config.xml (a relative folder is
// taken against the directory the program started in) and runs the view.
// A confirmed save replaces the file only once the new text is completely
// written, and only while it is the file that was read (else it asks);
// when the save does not happen, the old file stays and the editor opens
// again with the unsaved text. Never creates config.xml. With `line` (of
// the file, as the check counts them) the editor opens with it selected.
// The saves meet `writerHooks` (tests). True when the file was saved.
bool MappingEditor(JobHost& host, JobSettings& settings, EditorView& view, std::size_t line = 0,
                   const platform::WriterHooks& writerHooks = {});
// The same on the config.xml of `folder` (absolute), without the path box:
// a pack the check's report names.
bool EditMappingFile(JobHost& host, const std::string& folder, EditorView& view,
                     std::size_t line = 0, const platform::WriterHooks& writerHooks = {});

}  // namespace mapio::ui
