#include "ui/mapping_editor.h"

#include <optional>
#include <string>

#include "core/chosen_folder.h"
#include "core/mapping_messages.h"
#include "platform/atomic_writer.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace mapio::ui {
namespace {

using platform::WriteFailure;

// Pieces the writer passes on without gathering them.
constexpr std::size_t kWritePiece = std::size_t{1} << 20;

// A file the user may not write is refused at Open, and so is left as it
// was; so is one that another program changed since it was read.
WriteFailure Save(const std::string& path, std::string_view bytes,
                  const platform::ExpectedTarget& expected, const platform::WriterHooks& hooks) {
  platform::AtomicFileWriter writer(hooks);
  if (writer.Open(path, platform::FileMode::Binary, &expected)) {
    for (std::size_t at = 0; at < bytes.size() && !writer.Failed(); at += kWritePiece)
      writer.Write(bytes.substr(at, kWritePiece));
    if (!writer.Failed() && writer.Commit()) return WriteFailure::None;
  }
  // Never None on a failure: the box must say something.
  return writer.Failure() == WriteFailure::None ? WriteFailure::IoError : writer.Failure();
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
    host.ShowMessage(kEditorOpenFailed, kErrorCaption, MessageKind::Warning);
    return false;
  }
  const EditorLook look = LookOf(text->Bytes());
  // What the save must find, so that it never writes over another
  // program's change unasked.
  auto expected = std::make_unique<platform::ExpectedTarget>(stamp, text->Bytes());
  for (;; line = 0) {
    if (!view.Edit(*text, look, line)) return false;
    WriteFailure failure = Save(path, text->Bytes(), *expected, writerHooks);
    if (failure == WriteFailure::TargetChanged &&
        host.ShowMessage(kReplaceChangedText, kConfirmSaveCaption, MessageKind::Question) ==
            MessageButton::Yes) {
      expected = std::make_unique<platform::ExpectedTarget>(platform::StampOf(path));
      failure = Save(path, text->Bytes(), *expected, writerHooks);
    }
    if (failure == WriteFailure::None) return true;
    // Declined: the editor opens again with the edits, and says nothing more.
    if (failure != WriteFailure::TargetChanged)
      host.ShowMessage(WriteFailureText(failure), kErrorCaption, MessageKind::Warning);
  }
}

}  // namespace mapio::ui
