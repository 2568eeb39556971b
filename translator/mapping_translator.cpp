#include "translator/mapping_translator.h"

#include <algorithm>

#include "core/mapping_messages.h"
#include "core/record_template.h"
#include "pack/names.h"
#include "pack/xml_text.h"
#include "platform/platform.h"
#include "platform/user_files.h"
#include "translator/journal.h"
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

// Each line of the list that is to be a record, up to "</list>" or to the
// end of the file when it never comes; false once `take` says to stop.
template <typename Take>
void ForEachRecordLine(PieceReader& pieces, Take take) {
  std::string_view piece;
  while (pieces.Next(piece)) {
    const std::string_view line = LineText(piece);
    if (line.empty() || IsCommentLine(line)) continue;
    if (line == kListEnd || !take(line)) return;
  }
}

// The journal's plan: every record the run will try, in its order, on
// disk before the first rename. False when it cannot be written.
bool WritePlan(const std::string& mappingPath, std::int32_t kind,
               translator::JournalWriter& journal) {
  platform::TextReader reader;
  if (!reader.Open(mappingPath)) return false;
  PieceReader pieces(reader);
  if (!FindListOfMaps(pieces)) return false;
  const std::string_view format = RecordTemplateOf(kind).readFormat;
  RecordFields fields;
  ForEachRecordLine(pieces, [&](std::string_view line) {
    if (MatchRecord(line, format, fields) == 2 && ReadUsableRecord(fields))
      journal.Plan(fields.name, fields.id);
    return journal.Good();
  });
  return journal.PlanWritten();
}

class Translation {
 public:
  Translation(JobSettings& settings, JobHost& host, const TranslateOptions& options,
              translator::PictureFolder& folder, translator::JournalWriter& journal,
              std::optional<std::size_t> stopAfter)
      : settings_(settings),
        host_(host),
        options_(options),
        renamer_(folder),
        journal_(journal),
        stopAfter_(stopAfter) {}

  // Up to "</list>", or to the end of the file when it never comes. False
  // when the run was stopped before (as a test kills it).
  bool ReadRecords(PieceReader& pieces) {
    ForEachRecordLine(pieces, [this](std::string_view line) {
      HandleRecord(line);
      return !Stopped();
    });
    return !Stopped();
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
    const std::size_t entry = entries_++;
    const translator::RenameOutcome outcome = renamer_.Rename(fields.name, fields.id);
    if (!outcome.renamed) {
      ++failed_;
      host_.ShowMessage("Warning: could not rename " + fields.name + " to " + fields.id,
                        kErrorCaption, MessageKind::Warning);
      return;
    }
    ++renamed_;
    journal_.Renamed(entry, outcome.oldName, outcome.newName);
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

  bool Stopped() const { return stopAfter_ && static_cast<std::size_t>(renamed_) >= *stopAfter_; }

  JobSettings& settings_;
  JobHost& host_;
  const TranslateOptions& options_;
  translator::PictureRenamer renamer_;
  translator::JournalWriter& journal_;
  const std::optional<std::size_t> stopAfter_;
  std::size_t entries_ = 0;  // records tried, as the journal's plan counts them
  std::string processed_{kProcessedHeading};
  std::uint64_t records_ = 0;
  int renamed_ = 0;
  int failed_ = 0;
};

}  // namespace

namespace {

// A journal with the whole plan on disk, or false when there can be none:
// the translate then runs as it would without.
bool StartJournal(const JobSettings& settings, const JournalOptions& options,
                  translator::JournalWriter& journal) {
  const std::optional<std::string> journals =
      options.folder.empty() ? translator::JournalFolder() : std::optional(options.folder);
  return journals && journal.Begin(*journals, platform::CanonicalFolder(settings.folderPath)) &&
         WritePlan(platform::JoinPath(settings.folderPath, kMappingFileName), settings.objectKind,
                   journal);
}

}  // namespace

void MappingTranslator(JobSettings& settings, JobHost& host, const TranslateOptions& options,
                       const JournalOptions& journalOptions) {
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
  translator::JournalWriter journal;
  if (!options.dryRun && !StartJournal(settings, journalOptions, journal) &&
      journalOptions.onNoJournal)
    journalOptions.onNoJournal();
  const auto folder = options.dryRun ? translator::MakeSimulatedFolder(settings.folderPath)
                                     : translator::MakeRealFolder(settings.folderPath);
  Translation translation(settings, host, options, *folder, journal,
                          journalOptions.stopAfterRenamesForTesting);
  if (!translation.ReadRecords(pieces)) {
    journal.AbandonForTesting();
    return;
  }
  journal.End();
  reader.Close();
  translation.ShowSummary();
}

}  // namespace mapio
