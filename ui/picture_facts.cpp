#include "ui/picture_facts.h"

#include <array>
#include <cstdio>

#include "checker/picture_checks.h"
#include "checker/picture_probe.h"
#include "core/counted.h"
#include "pack/names.h"
#include "pack/pack_folder.h"
#include "platform/picture_files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace mapio::ui {

namespace {

// nullopt for an entry that is no file of the pack `root`: a window's
// picture reader would wait on a pipe, or read a device, for ever.
std::optional<std::string> Describe(const std::string& folder, const std::string& name,
                                    const std::string& root) {
  platform::FolderFiles files;
  if (!files.Open(folder)) return "the file cannot be read";
  platform::FolderFile file;
  std::array<char, checker::kProbeHeadSize> head{};
  platform::HeadResult read = platform::ReadFileHead(files, name, head, file);
  if (read.status == platform::FileStatus::NotAFile) {
    // A link to a picture inside the pack is that picture.
    const platform::DirEntry entry{name, platform::EntryKind::Link};
    if (!pack::LookAtEntry(folder, entry, root).isFile) return std::nullopt;
    read = platform::ReadFileHead(files, name, head, file, true);
    if (read.status == platform::FileStatus::NotAFile) return std::nullopt;
  }
  if (read.status != platform::FileStatus::Read) return "the file cannot be read";
  const std::uint64_t size = read.size != platform::kUnknownSize ? read.size : file.Size();
  if (size == 0) return "an empty file";
  checker::FileBytes more(file);
  const checker::PictureInfo info =
      checker::ProbePicture(name, size, std::span<const char>(head).first(read.length), &more);
  std::string text(checker::FormatName(info.Format()));
  if (text.empty()) text = "no picture format known";
  if (info.HasSize())
    text += ", " + std::to_string(info.Width()) + " \xC3\x97 " + std::to_string(info.Height()) +
            " pixels";
  return text + ", " + FileSizeText(size);
}

}  // namespace

std::string FileSizeText(std::uint64_t bytes) {
  if (bytes < 1024) return Counted(bytes, "byte");
  const char* unit = " KB";
  double value = static_cast<double>(bytes) / 1024;
  if (value >= 1024) {
    value /= 1024;
    unit = " MB";
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text + std::string(unit);
}

std::optional<PictureFacts> LookAtPicture(const std::string& folder,
                                          const checker::Finding& finding) {
  // A leftover temporary file, say, is a file but no picture.
  if (finding.file.empty() || pack::PictureExtensionOf(finding.file) < 0) return std::nullopt;
  // A file in a subfolder ("faces/a.png") is read from its own folder.
  std::string subfolder;
  std::string name = finding.file;
  if (const std::size_t slash = name.rfind('/'); slash != std::string::npos) {
    subfolder = name.substr(0, slash);
    name.erase(0, slash + 1);
    for (char& c : subfolder) c = c == '/' ? platform::kSeparator : c;
  }
  const std::string inFolder = subfolder.empty() ? folder : platform::JoinPath(folder, subfolder);
  // Never through a folder that leads out of the pack, as the check never reads one.
  if (!subfolder.empty()) {
    const platform::LinkEnd end = platform::FollowLink(inFolder, folder);
    if (end.kind != platform::EntryKind::Directory || !end.inside) return std::nullopt;
  }
  std::optional<std::string> description = Describe(inFolder, name, folder);
  if (!description) return std::nullopt;
  return PictureFacts{platform::JoinPath(inFolder, name), finding.file, std::move(*description)};
}

}  // namespace mapio::ui
