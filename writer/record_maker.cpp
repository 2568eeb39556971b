#include "writer/record_maker.h"

#include <algorithm>

#include "core/record_template.h"
#include "pack/names.h"
#include "pack/pack_folder.h"
#include "pack/xml_text.h"
#include "writer/record_name.h"
#include "platform/paths.h"

namespace mapio::writer {

namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

// On a file system that ignores case, Config.XML is the file config.xml
// names. Only the rare near-misses cost a look at the disk.
bool IsMappingFileName(const std::string& folderPath, std::string_view name) {
  if (name == kMappingFileName) return true;
  return EqualsIgnoringAsciiCase(name, kMappingFileName) &&
         platform::SameFile(platform::JoinPath(folderPath, name),
                            platform::JoinPath(folderPath, kMappingFileName));
}

bool IsRecordCandidate(const std::string& folderPath, const platform::DirEntry& entry) {
  if (entry.IsDirectory() || IsMappingFileName(folderPath, entry.name) ||
      pack::IsLeftover(entry.name))
    return false;
  return entry.kind == platform::EntryKind::File ||
         pack::LookAtEntry(folderPath, entry, folderPath).isFile;
}

RecordMaker::RecordMaker(ObjectKind objectKind, bool idsFromNames, IdPrompter& prompter)
    : prompter_(prompter), kits_(objectKind == Kits), fromNames_(idsFromNames) {
  if (!kits_) format_ = "\t\t" + std::string(WriteFormatOf(objectKind));
  for (std::size_t k = 0; k < KitTemplates.size(); ++k) kitFormats_[k] = KitTemplates[k];
}

RecordMaker::RecordMaker(ObjectKind objectKind, bool idsFromNames, IdPrompter& prompter,
                         const pack::LineStyle& style)
    : prompter_(prompter), kits_(objectKind == Kits), fromNames_(idsFromNames), needsNumber_(true) {
  const auto styled = [&](KitKind kitKind) {
    std::string format = WriteFormatFor(objectKind, style.target, kitKind, style.beforeClose);
    format.pop_back();  // the "\n"
    return style.indent + format + style.lineEnd;
  };
  format_ = styled(KitKind::Home);
  for (std::size_t k = 0; k < kKitKindNames.size(); ++k)
    kitFormats_[k] = styled(static_cast<KitKind>(k));
}

bool RecordMaker::Make(std::string_view fileName, std::string& line) {
  const std::string recordName = RecordName(fileName);
  return fromNames_ ? FromName(recordName, fileName, line) : ByPrompt(recordName, fileName, line);
}

bool RecordMaker::FromName(std::string_view recordName, std::string_view fileName,
                           std::string& line) {
  if (needsNumber_ && !BeginsWithNumber(recordName)) {
    unnumbered_.Add(fileName);
    return false;
  }
  const std::optional<std::uint32_t> id = LeadingId(recordName);
  if (!id) {
    tooLarge_.Add(fileName);
    return false;
  }
  Fill(kits_ ? kitFormats_[static_cast<std::size_t>(KitKind::Home)] : format_, recordName, *id,
       line);
  return true;
}

bool RecordMaker::ByPrompt(std::string_view recordName, std::string_view fileName,
                           std::string& line) {
  // The file being asked about is counted in the second number, not yet in
  // the first.
  const std::string counter = std::to_string(added_) + "/" + std::to_string(expected_);
  if (kits_) {
    const std::optional<KitAnswer> answer = prompter_.AskKitId(fileName, counter);
    if (!answer) {
      --expected_;
      return false;
    }
    auto kind = static_cast<std::size_t>(answer->kitKind);
    if (kind >= kKitKindNames.size()) kind = static_cast<std::size_t>(KitKind::Home);
    Fill(kitFormats_[kind], recordName, answer->id, line);
    return true;
  }
  const std::optional<std::uint32_t> id = prompter_.AskFileId(fileName, counter);
  if (!id) {
    --expected_;
    return false;
  }
  Fill(format_, recordName, *id, line);
  return true;
}

void RecordMaker::Fill(std::string_view format, std::string_view recordName, std::uint32_t id,
                       std::string& line) {
  ++added_;
  line.clear();
  // A name is an attribute value: "&", "<" and '"' go in as entities.
  const bool plain = recordName.find_first_of("&<\"") == std::string_view::npos &&
                     std::none_of(recordName.begin(), recordName.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  if (!plain) escaped_ = pack::EscapeAttribute(recordName);
  AppendRecord(line, format, plain ? recordName : std::string_view(escaped_), id);
}

}  // namespace mapio::writer
