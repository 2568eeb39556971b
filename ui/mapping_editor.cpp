#include "ui/mapping_editor.h"

#include "ui/run_job.h"
#include "platform/platform.h"
#include "ui/editor_text.h"

namespace mapio::ui {
namespace {

// The whole file and how it stood, or nullopt when it cannot be opened or
// read to its end: an editor showing part of the file would cut it on the
// next save. Binary: the editor keeps the file's own line ends (editor_text).
std::optional<std::string> ReadWhole(const std::string& path, platform::FileStamp& stamp) {
  std::string bytes;
  if (platform::ReadWholeFile(path, bytes, stamp) != platform::ReadResult::Ok) return std::nullopt;
  return bytes;
}

enum class Saved { Yes, Changed, Failed };

// A file the user may not write is refused at Open, and so is left as it
// was; so is one whose encoding cannot store the text, before anything is
// written, and one that another program changed since it was read.
Saved Save(const std::string& path, const EditedText& text, const TextFormat& format,
           const platform::ExpectedTarget& expected, std::string_view& failure) {
  const auto storable = [&](std::string_view piece) {
    return EncodeForSaving(piece, format).has_value();
  };
  // Only a Windows-1252 file can refuse a character.
  if (format.encoding == TextEncoding::Windows1252 && !text.ForEachPiece(storable)) {
    failure = kCannotStoreText;
    return Saved::Failed;
  }
  failure = kWriteFailedText;
  platform::AtomicFileWriter writer;
  if (!writer.Open(path, platform::FileMode::Binary, &expected)) return Saved::Failed;
  const bool written = text.ForEachPiece([&](std::string_view piece) {
    const std::optional<std::string> encoded = EncodeForSaving(piece, format);
    return encoded && writer.Write(*encoded);
  });
  if (written && writer.Commit()) return Saved::Yes;
  return writer.Failure() == platform::WriteFailure::TargetChanged ? Saved::Changed : Saved::Failed;
}

// Pieces of about this size: big enough to cost nothing per piece, small
// beside a large file.
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

}  // namespace

bool MappingEditor(JobHost& host, JobSettings& settings, EditorView& view, std::size_t line) {
  host.PullSettings(settings);
  // A folder that is not there is told by the open that fails.
  const ChosenFolder folder = ChooseFolder(settings.folderPath);
  if (folder.problem == FolderProblem::Empty || folder.problem == FolderProblem::TooLong) {
    host.ShowMessage(FolderProblemText(folder.problem), kChooseDirCaption, MessageKind::Warning);
    return false;
  }
  return EditMappingFile(host, folder.path, view, line);
}

bool EditMappingFile(JobHost& host, const std::string& folder, EditorView& view, std::size_t line) {
  const std::string path = platform::JoinPath(folder, kMappingFileName);
  // The pieces of the text that the editor has taken must not stay resident.
  platform::KeepLargeBlocksApart();
  platform::FileStamp stamp;
  std::optional<std::string> bytes = ReadWhole(path, stamp);
  if (!bytes) {
    host.ShowMessage(kOpenFailedText, kErrorCaption, MessageKind::Warning);
    return false;
  }
  // What the save must find, so that it never writes over another
  // program's change unasked.
  auto expected = std::make_unique<platform::ExpectedTarget>(stamp, *bytes);
  DisplayPieces shown = DecodeForDisplayInPieces(*bytes, kPieceBytes);
  const std::size_t shownLine = line == 0 ? 0 : DisplayLineOf(*bytes, line);
  bytes.reset();  // the editor's text is the one copy
  for (;;) {
    const std::unique_ptr<EditedText> edited = view.Edit(std::move(shown.pieces), shownLine);
    if (!edited) return false;
    std::string_view failure;
    Saved saved = Save(path, *edited, shown.format, *expected, failure);
    if (saved == Saved::Changed && host.ShowMessage(kReplaceChangedText, kConfirmSaveCaption,
                                                    MessageKind::Question) == MessageButton::Yes) {
      expected = std::make_unique<platform::ExpectedTarget>(platform::StampOf(path));
      saved = Save(path, *edited, shown.format, *expected, failure);
    }
    if (saved == Saved::Yes) return true;
    shown.pieces = TextPieces{JoinPieces(*edited)};
    if (saved == Saved::Failed) host.ShowMessage(failure, kErrorCaption, MessageKind::Warning);
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
