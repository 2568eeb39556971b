#include "translator/mapping_translator.h"

#include <algorithm>

#include "core/mapping_messages.h"
#include "core/record_template.h"
#include "pack/names.h"
#include "pack/xml_text.h"
#include "platform/platform.h"
#include "translator/picture_folder.h"
#include "translator/piece_reader.h"

namespace mapio {

namespace {

using pack::kListEnd;
using pack::kListMarker;
using translator::PieceReader;

constexpr int kMarkerSearchReads = 256;
// The fields of the original reader held at most this much.
constexpr std::size_t kMaxFromLength = 99;
constexpr std::size_t kMaxIdLength = 51;
constexpr std::string_view kProcessedHeading = "The list of processed files:\n\n";

// A line is read as a C string: its text ends at its first NUL byte.
std::string_view LineText(std::string_view piece) {
  return platform::Trim(piece.substr(0, piece.find('\0')));
}

bool FindListOfMaps(PieceReader& pieces) {
  std::string_view piece;
  for (int read = 0; read < kMarkerSearchReads; ++read) {
    if (!pieces.Next(piece)) return false;
    if (LineText(piece) == kListMarker) return true;
  }
  return false;
}

// The original's field held characters of the code page, one byte each:
// as many characters of UTF-8 here.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// A from value that older tools wrote in a single-byte code page still
// names its picture.
void ReadNameAsUtf8(RecordFields& fields) {
  unsigned char allBits = 0;  // a plain loop: most names are ASCII
  for (const char c : fields.name) allBits |= static_cast<unsigned char>(c);
  if (allBits < 0x80 || platform::IsValidUtf8(fields.name)) return;
  fields.name = platform::LegacyNameToUtf8(fields.name);
}

// The fields as the original reader could hold them, the name as XML
// means it ("&amp;" is "&"; a bare "&" of an older file stays), naming a
// file right in the folder.
bool ReadUsableRecord(RecordFields& fields) {
  ReadNameAsUtf8(fields);
  const bool shortName =
      fields.name.size() <= kMaxFromLength || CharacterCount(fields.name) <= kMaxFromLength;
  if (!shortName || fields.id.size() > kMaxIdLength) return false;
  if (pack::NeedsDecoding(fields.name)) {
    std::string decoded;
    pack::XmlFault fault;
    pack::DecodeAttribute(fields.name, decoded, fault);
    fields.name = std::move(decoded);
  }
  return pack::NamesFileInFolder(fields.name);
}

// The comment test of the original looks at the second and third characters only.
bool IsCommentLine(std::string_view line) {
  return line.size() >= 3 && line[1] == '!' && line[2] == '-';
}

class Translation {
 public:
  Translation(JobSettings& settings, JobHost& host, const TranslateOptions& options,
              translator::PictureFolder& folder)
      : settings_(settings), host_(host), options_(options), renamer_(folder) {}

  // Up to "</list>", or to the end of the file when it never comes.
  void ReadRecords(PieceReader& pieces) {
    std::string_view piece;
    while (pieces.Next(piece)) {
      const std::string_view line = LineText(piece);
      if (line.empty() || IsCommentLine(line)) continue;
      if (line == kListEnd) return;
      HandleRecord(line);
    }
  }

  void ShowSummary() {
    const std::string count = "\nRenamed " + std::to_string(renamed_) + " of " +
                              std::to_string(renamed_ + failed_) + " files.";
    if (options_.onStatus) {
      if (renamed_ == 0) options_.onStatus("ZARRO files renamed!", false);
      options_.onStatus(count, true);
      return;
    }
    std::string text = renamed_ == 0 ? std::string("ZARRO files renamed!") : std::move(processed_);
    text += count;
    host_.ShowMessage(text, "Status", MessageKind::Information);
  }

 private:
  void HandleRecord(std::string_view line) {
    ++records_;
    host_.ReportProgress({JobProgress::Phase::Renaming, records_, 0});
    const std::string format = GetRecordTemplate(host_, settings_.objectKind, TemplateHalf::Read);
    RecordFields fields;
    if (MatchRecord(line, format, fields) != 2 || !ReadUsableRecord(fields)) {
      host_.ShowMessage("Error parsing XML file!", "", MessageKind::Warning);
      return;
    }
    const translator::RenameOutcome outcome = renamer_.Rename(fields.name, fields.id);
    if (!outcome.renamed) {
      ++failed_;
      host_.ShowMessage("Warning: could not rename " + fields.name + " to " + fields.id,
                        kErrorCaption, MessageKind::Warning);
      return;
    }
    ++renamed_;
    const std::string done =
        fields.name + (outcome.extension == 0 ? " -> " : " - > ") + fields.id + "\n";
    if (!options_.onStatus) {
      processed_ += done;
    } else {
      if (renamed_ == 1) options_.onStatus(kProcessedHeading, false);
      options_.onStatus(done, false);
    }
    if (options_.onRename) options_.onRename(outcome.oldName, outcome.newName);
  }

  JobSettings& settings_;
  JobHost& host_;
  const TranslateOptions& options_;
  translator::PictureRenamer renamer_;
  std::string processed_{kProcessedHeading};
  std::uint64_t records_ = 0;
  int renamed_ = 0;
  int failed_ = 0;
};

}  // namespace

void MappingTranslator(JobSettings& settings, JobHost& host, const TranslateOptions& options) {
  platform::TextReader reader;
  if (!reader.Open(platform::JoinPath(settings.folderPath, kMappingFileName))) {
    host.ShowMessage(kMappingOpenFailed, kMappingOpenFailedCaption, MessageKind::Warning);
    return;
  }
  PieceReader pieces(reader);
  if (!FindListOfMaps(pieces)) {
    host.ShowMessage(kMappingReadError, kErrorCaption, MessageKind::Warning);
    return;
  }
  const auto folder = options.dryRun ? translator::MakeSimulatedFolder(settings.folderPath)
                                     : translator::MakeRealFolder(settings.folderPath);
  Translation translation(settings, host, options, *folder);
  translation.ReadRecords(pieces);
  reader.Close();
  translation.ShowSummary();
}

}  // namespace mapio
