#include "translator/mapping_translator.h"

#include <algorithm>

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
bool WritePlan(const std::string& mappingPath, ObjectKind kind,
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
  Translation(const TranslateOptions& options, const TranslateEvents& events,
              translator::PictureFolder& folder, translator::JournalWriter& journal)
      : options_(options),
        events_(events),
        format_(RecordTemplateOf(options.kind).readFormat),
        renamer_(folder),
        journal_(journal) {}

  // Up to "</list>", or to the end of the file when it never comes. False
  // when the run was stopped before (as a test kills it).
  bool ReadRecords(PieceReader& pieces) {
    ForEachRecordLine(pieces, [this](std::string_view line) {
      HandleRecord(line);
      return !Stopped();
    });
    return !Stopped();
  }

  void Count(TranslateOutcome& outcome) const {
    outcome.renamed = renamed_;
    outcome.failed = failed_;
  }

 private:
  void HandleRecord(std::string_view line) {
    ++records_;
    if (events_.progress) events_.progress({JobProgress::Phase::Renaming, records_, 0});
    // Kits have no read format: every line is said to be unreadable.
    if (options_.kind == Kits && events_.noReadFormat) events_.noReadFormat();
    if (MatchRecord(line, format_, fields_) != 2 || !ReadUsableRecord(fields_)) {
      if (events_.unreadable) events_.unreadable();
      return;
    }
    const std::size_t entry = entries_++;
    const translator::RenameOutcome outcome = renamer_.Rename(fields_.name, fields_.id);
    if (!outcome.renamed) {
      ++failed_;
      if (events_.notRenamed) events_.notRenamed(fields_.name, fields_.id);
      return;
    }
    ++renamed_;
    journal_.Renamed(entry, outcome.oldName, outcome.newName);
    if (events_.renamed)
      events_.renamed(
          {fields_.name, fields_.id, outcome.extension, outcome.oldName, outcome.newName});
  }

  bool Stopped() const {
    const auto& stop = options_.journal.stopAfterRenamesForTesting;
    return stop && static_cast<std::size_t>(renamed_) >= *stop;
  }

  const TranslateOptions& options_;
  const TranslateEvents& events_;
  const std::string_view format_;
  translator::PictureRenamer renamer_;
  translator::JournalWriter& journal_;
  RecordFields fields_;
  std::size_t entries_ = 0;  // records tried, as the journal's plan counts them
  std::uint64_t records_ = 0;
  int renamed_ = 0;
  int failed_ = 0;
};

// A journal with the whole plan on disk, or false when there can be none:
// the translate then runs as it would without.
bool StartJournal(const std::string& folderPath, const TranslateOptions& options,
                  translator::JournalWriter& journal) {
  const std::optional<std::string> journals = options.journal.folder.empty()
                                                  ? translator::JournalFolder()
                                                  : std::optional(options.journal.folder);
  return journals && journal.Begin(*journals, platform::CanonicalFolder(folderPath)) &&
         WritePlan(platform::JoinPath(folderPath, kMappingFileName), options.kind, journal);
}

}  // namespace

TranslateOutcome TranslateNames(const std::string& folderPath, const TranslateOptions& options,
                                const TranslateEvents& events) {
  TranslateOutcome outcome;
  platform::TextReader reader;
  if (!reader.Open(platform::JoinPath(folderPath, kMappingFileName))) {
    outcome.result = TranslateOutcome::Result::NotOpened;
    outcome.readResult = reader.OpenResult();
    return outcome;
  }
  PieceReader pieces(reader);
  if (!FindListOfMaps(pieces)) {
    outcome.result = TranslateOutcome::Result::NoList;
    return outcome;
  }
  translator::JournalWriter journal;
  outcome.journal = options.dryRun || StartJournal(folderPath, options, journal);
  if (!outcome.journal && events.noJournal) events.noJournal();
  const auto folder = options.dryRun ? translator::MakeSimulatedFolder(folderPath)
                                     : translator::MakeRealFolder(folderPath);
  Translation translation(options, events, *folder, journal);
  const bool whole = translation.ReadRecords(pieces);
  translation.Count(outcome);
  if (!whole) {
    journal.AbandonForTesting();
    outcome.result = TranslateOutcome::Result::Stopped;
    return outcome;
  }
  journal.End();
  return outcome;
}

}  // namespace mapio
