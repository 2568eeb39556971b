#include "ui/mapping_editor.h"

#include <optional>
#include <string>

#include "core/chosen_folder.h"
#include "platform/platform.h"

namespace mapio::ui {
namespace {

enum class Saved { Yes, Changed, Failed };

// Pieces the writer passes on without gathering them.
constexpr std::size_t kWritePiece = std::size_t{1} << 20;

// A file the user may not write is refused at Open, and so is left as it
// was; so is one that another program changed since it was read.
Saved Save(const std::string& path, std::string_view bytes,
           const platform::ExpectedTarget& expected, const platform::WriterHooks& hooks) {
  platform::AtomicFileWriter writer(hooks);
  if (!writer.Open(path, platform::FileMode::Binary, &expected)) return Saved::Failed;
  for (std::size_t at = 0; at < bytes.size() && !writer.Failed(); at += kWritePiece) {
    writer.Write(bytes.substr(at, kWritePiece));
  }
  if (!writer.Failed() && writer.Commit()) return Saved::Yes;
  return writer.Failure() == platform::WriteFailure::TargetChanged ? Saved::Changed : Saved::Failed;
}

// The whole file into a new editor window's text, straight from the disk
// in pieces: a large file is never held twice. nullptr when it cannot be
// opened or read to its end: an editor showing part of the file would cut
// it on the next save.
std::unique_ptr<EditorText> Load(const std::string& path, EditorView& view,
                                 platform::FileStamp& stamp) {
  std::unique_ptr<EditorText> text;
  const auto take = [&](std::string_view piece) {
    // The stamp is there before the first piece: its size is the room.
    if (!text) text = view.NewText(stamp.size, ColoursXml(stamp.size));
    text->Append(piece);
    return true;
  };
  if (platform::ReadFileInPieces(path, stamp, take) != platform::ReadResult::Ok) return nullptr;
  if (!text) text = view.NewText(0, true);
  return text;
}

}  // namespace

bool MappingEditor(JobHost& host, JobSettings& settings, EditorView& view, std::size_t line,
                   const platform::WriterHooks& writerHooks) {
  host.PullSettings(settings);
  // A folder that is not there is told by the open that fails.
  const ChosenFolder folder = ChooseFolder(settings.folderPath);
  if (folder.problem == FolderProblem::Empty || folder.problem == FolderProblem::TooLong) {
    host.ShowMessage(FolderProblemText(folder.problem), kChooseDirCaption, MessageKind::Warning);
    return false;
  }
  return EditMappingFile(host, folder.path, view, line, writerHooks);
}

bool EditMappingFile(JobHost& host, const std::string& folder, EditorView& view, std::size_t line,
                     const platform::WriterHooks& writerHooks) {
  const std::string path = platform::JoinPath(folder, kMappingFileName);
  platform::FileStamp stamp;
  const std::unique_ptr<EditorText> text = Load(path, view, stamp);
  if (!text) {
    host.ShowMessage(kOpenFailedText, kErrorCaption, MessageKind::Warning);
    return false;
  }
  const EditorLook look = LookOf(text->Bytes());
  // What the save must find, so that it never writes over another
  // program's change unasked.
  auto expected = std::make_unique<platform::ExpectedTarget>(stamp, text->Bytes());
  for (;; line = 0) {
    if (!view.Edit(*text, look, line)) return false;
    Saved saved = Save(path, text->Bytes(), *expected, writerHooks);
    if (saved == Saved::Changed && host.ShowMessage(kReplaceChangedText, kConfirmSaveCaption,
                                                    MessageKind::Question) == MessageButton::Yes) {
      expected = std::make_unique<platform::ExpectedTarget>(platform::StampOf(path));
      saved = Save(path, text->Bytes(), *expected, writerHooks);
    }
    if (saved == Saved::Yes) return true;
    if (saved == Saved::Failed)
      host.ShowMessage(kWriteFailedText, kErrorCaption, MessageKind::Warning);
  }
}

}  // namespace mapio::ui
