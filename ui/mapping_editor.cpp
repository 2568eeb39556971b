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
// write is refused at Open, and so is left as it was; so is one whose
// encoding cannot store the text, before anything is written.
std::optional<std::string_view> Save(const std::string& path, const EditedText& text,
                                     const TextFormat& format) {
  const auto storable = [&](std::string_view piece) {
    return EncodeForSaving(piece, format).has_value();
  };
  // Only a Windows-1252 file can refuse a character.
  if (format.encoding == TextEncoding::Windows1252 && !text.ForEachPiece(storable)) {
    return kCannotStoreText;
  }
  platform::AtomicFileWriter writer;
  if (!writer.Open(path, platform::FileMode::Binary)) return kWriteFailedText;
  const bool written = text.ForEachPiece([&](std::string_view piece) {
    const std::optional<std::string> encoded = EncodeForSaving(piece, format);
    return encoded && writer.Write(*encoded);
  });
  if (!written || !writer.Commit()) return kWriteFailedText;
  return std::nullopt;
}

// Pieces of about this size: big enough to cost nothing per piece, small
// beside a large file.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

}  // namespace

void MappingEditor(JobHost& host, JobSettings& settings, EditorView& view) {
  host.PullSettings(settings);
  if (settings.folderPath.empty()) {
    host.ShowMessage(kChooseDirText, kChooseDirCaption, MessageKind::Warning);
    return;
  }
  const std::string folder = platform::ResolveAgainstStartup(settings.folderPath);
  const std::string path = platform::JoinPath(folder, kMappingFileName);
  // The pieces of the text that the editor has taken must not stay resident.
  platform::KeepLargeBlocksApart();
  std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    host.ShowMessage(kOpenFailedText, kErrorCaption, MessageKind::Warning);
    return;
  }
  DisplayPieces shown = DecodeForDisplayInPieces(*bytes, kPieceBytes);
  bytes.reset();  // the editor's text is the one copy
  for (;;) {
    const std::unique_ptr<EditedText> edited = view.Edit(std::move(shown.pieces));
    if (!edited) return;
    const std::optional<std::string_view> failure = Save(path, *edited, shown.format);
    if (!failure) return;
    shown.pieces = TextPieces{JoinPieces(*edited)};
    host.ShowMessage(*failure, kErrorCaption, MessageKind::Warning);
  }
}

std::string JoinPieces(const EditedText& text) {
  std::string whole;
  text.ForEachPiece([&](std::string_view piece) {
    whole += piece;
    return true;
  });
  return whole;
}

std::string JoinPieces(const TextPieces& pieces) {
  std::string whole;
  for (const std::string& piece : pieces) whole += piece;
  return whole;
}

}  // namespace mapio::ui
