#include "ui/mapping_editor.h"

#include "core/run_job.h"
#include "platform/platform.h"
#include "ui/editor_text.h"

namespace mapio::ui {
namespace {

// The whole file, or nullopt when it cannot be opened or read to its end:
// an editor showing part of the file would cut it on the next save.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  if (platform::IsDirectory(path)) return std::nullopt;
  platform::TextReader reader;
  // Binary: the editor keeps the file's own line ends (editor_text).
  if (!reader.Open(path, platform::FileMode::Binary)) return std::nullopt;
  std::string bytes;
  if (!reader.ReadAll(bytes)) return std::nullopt;
  return bytes;
}

// nullopt on success, else the message to show. A file the user may not
// write is refused at Open, and so is left as it was.
std::optional<std::string_view> Save(const std::string& path, std::string_view bytes) {
  platform::AtomicFileWriter writer;
  if (!writer.Open(path, platform::FileMode::Binary) || !writer.Write(bytes) || !writer.Commit()) {
    return kWriteFailedText;
  }
  return std::nullopt;
}

}  // namespace

void MappingEditor(JobHost& host, JobSettings& settings, EditorView& view) {
  host.PullSettings(settings);
  if (settings.folderPath.empty()) {
    host.ShowMessage(kChooseDirText, kChooseDirCaption, MessageKind::Warning);
    return;
  }
  const std::string folder = platform::ResolveAgainstStartup(settings.folderPath);
  const std::string path = platform::JoinPath(folder, kMappingFileName);
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    host.ShowMessage(kOpenFailedText, kErrorCaption, MessageKind::Warning);
    return;
  }
  DisplayText shown = DecodeForDisplay(*bytes);
  bytes.reset();  // the editor's text is the one copy
  for (;;) {
    std::optional<std::string> edited = view.Edit(std::move(shown.text));
    if (!edited) return;
    shown.text = std::move(*edited);
    const std::optional<std::string> encoded = EncodeForSaving(shown.text, shown.format);
    const std::optional<std::string_view> failure =
        encoded ? Save(path, *encoded) : std::optional<std::string_view>(kCannotStoreText);
    if (!failure) return;
    host.ShowMessage(*failure, kErrorCaption, MessageKind::Warning);
  }
}

}  // namespace mapio::ui
