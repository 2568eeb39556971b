#include "writer/record_maker.h"

#include "core/record_template.h"
#include "writer/record_name.h"

namespace mapio {

namespace {

constexpr std::size_t kSkippedShown = 20;

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view WriteFailedText(const platform::AtomicFileWriter& file) {
  return file.TargetRefused() ? kCannotWrite : kWriteFailed;
}

std::string SuccessText(std::uint32_t added) {
  return "Success! " + std::to_string(added) + " files added in XML file!";
}

// On a file system that ignores case, Config.XML is the file config.xml
// names. Only the rare near-misses cost a look at the disk.
bool IsMappingFileName(const std::string& folderPath, std::string_view name) {
  if (name == kMappingFileName) return true;
  return EqualsIgnoringAsciiCase(name, kMappingFileName) &&
         platform::SameFile(platform::JoinPath(folderPath, name),
                            platform::JoinPath(folderPath, kMappingFileName));
}

bool IsRecordCandidate(const std::string& folderPath, const platform::DirEntry& entry) {
  return !entry.isDirectory && !IsMappingFileName(folderPath, entry.name);
}

RecordMaker::RecordMaker(const JobSettings& settings, JobHost& host, IdPrompter& prompter)
    : prompter_(prompter),
      kits_(settings.objectKind == Kits),
      fromNames_(settings.allFilenamesAreIds != 0) {
  if (!kits_) format_ = "\t\t" + GetRecordTemplate(host, settings.objectKind, TemplateHalf::Write);
}

bool RecordMaker::Make(std::string_view fileName, std::string& line) {
  const std::string recordName = RecordName(fileName);
  return fromNames_ ? FromName(recordName, fileName, line) : ByPrompt(recordName, fileName, line);
}

bool RecordMaker::FromName(std::string_view recordName, std::string_view fileName,
                           std::string& line) {
  const std::optional<std::uint32_t> id = LeadingId(recordName);
  if (!id) {
    skipped_.emplace_back(fileName);
    return false;
  }
  Fill(kits_ ? KitTemplates[static_cast<std::size_t>(KitKind::Home)] : format_, recordName, *id,
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
    if (kind >= KitTemplates.size()) kind = static_cast<std::size_t>(KitKind::Home);
    Fill(KitTemplates[kind], recordName, answer->id, line);
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
  AppendRecord(line, format, recordName, id);
}

std::string RecordMaker::SkippedWarning() const {
  if (skipped_.empty()) return {};
  std::string text =
      "These files were not added: the number their names begin with is too large for an ID "
      "(the IDs go from 0 to 4294967295; names may begin with -2147483648 to -1 too):";
  for (std::size_t i = 0; i < skipped_.size() && i < kSkippedShown; ++i) {
    text += "\n";
    text += skipped_[i];
  }
  if (skipped_.size() > kSkippedShown) {
    text += "\nand " + std::to_string(skipped_.size() - kSkippedShown) + " more";
  }
  return text;
}

}  // namespace mapio
