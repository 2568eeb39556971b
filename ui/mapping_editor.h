// The "Edit XML" job: shows the folder's config.xml in an editor window and,
// after a confirmed save, writes it back.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/job_host.h"
#include "ui/job_settings.h"

namespace mapio::ui {

inline constexpr std::string_view kOpenFailedText = "Could not open config.xml file";
inline constexpr std::string_view kWriteFailedText =
    "Could not write config.xml file; it was left as it was";
inline constexpr std::string_view kCannotStoreText =
    "Could not save config.xml file: it is not UTF-8 text, and the edited text holds "
    "characters it cannot store";
inline constexpr std::string_view kReplaceChangedText =
    "config.xml was changed by another program after it was opened here. Replace it with the "
    "text you are saving?";
inline constexpr std::string_view kConfirmSaveText = "Do you really want to save this file?";
inline constexpr std::string_view kConfirmSaveCaption = "Confirm save";

// The editor's text (UTF-8, "\n" between lines) in pieces, each but the
// last ending after a "\n", so that a large file need not be held whole
// beside the editor's own copy.
using TextPieces = std::vector<std::string>;

// The text of a confirmed save, as long as the window that holds it.
class EditedText {
 public:
  virtual ~EditedText() = default;
  // Hands the text to `take` piece after piece (pieces as in TextPieces),
  // until `take` returns false. False when it stopped early.
  virtual bool ForEachPiece(const std::function<bool(std::string_view)>& take) const = 0;
};

// An EditedText held as one string.
class WholeEditedText final : public EditedText {
 public:
  explicit WholeEditedText(std::string text) : text_(std::move(text)) {}
  bool ForEachPiece(const std::function<bool(std::string_view)>& take) const override {
    return take(text_);
  }

 private:
  std::string text_;
};

std::string JoinPieces(const EditedText& text);
std::string JoinPieces(const TextPieces& pieces);

// The editor window of a front end.
class EditorView {
 public:
  virtual ~EditorView() = default;
  // Shows `text` modally, letting each piece go once it is shown, with
  // its line `line` (from 1; 0 for none) selected and scrolled into view.
  // Returns the text to save once the user has confirmed a save, nullptr
  // when the user closed the window without one.
  virtual std::unique_ptr<EditedText> Edit(TextPieces text, std::size_t line) = 0;
};

// The edit job's one entry, for every window.
// Pulls the settings, reads <folderPath>/config.xml (a relative folder is
// taken against the directory the program started in) and runs the view.
// A confirmed save replaces the file only once the new text is completely
// written; when that fails, the old file stays and the editor opens again
// with the unsaved text. Never creates config.xml. With `line` (of the file,
// as the check counts them) the editor opens with it selected. True when
// the file was saved.
bool MappingEditor(JobHost& host, JobSettings& settings, EditorView& view, std::size_t line = 0);
// The same on the config.xml of `folder` (absolute), without the path box:
// a pack the check's report names.
bool EditMappingFile(JobHost& host, const std::string& folder, EditorView& view,
                     std::size_t line = 0);

}  // namespace mapio::ui
