#include "pack/list_lines.h"

#include <algorithm>

#include "core/job_events.h"
#include "pack/names.h"
#include "pack/target.h"
#include "pack/xml_text.h"
#include "platform/text.h"
#include "platform/paths.h"

namespace mapio::pack {

namespace {

constexpr int kMarkerSearchReads = 256;
// The fields of the original reader held at most this much.
constexpr std::size_t kMaxFromLength = 99;
constexpr std::size_t kMaxIdLength = 51;

// A line is read as a C string: its text ends at its first NUL byte.
std::string_view LineText(std::string_view piece) {
  return platform::Trim(piece.substr(0, piece.find('\0')));
}

// The comment test of the original looks at the second and third characters only.
bool IsCommentLine(std::string_view line) {
  return line.size() >= 3 && line[1] == '!' && line[2] == '-';
}

// The original's field held characters of the code page, one byte each:
// as many characters of UTF-8 here.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool FitsTheFields(std::string_view name, std::string_view id) {
  const bool shortName = name.size() <= kMaxFromLength || CharacterCount(name) <= kMaxFromLength;
  return shortName && id.size() <= kMaxIdLength;
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
  if (!FitsTheFields(fields.name, fields.id)) return false;
  if (NeedsDecoding(fields.name)) {
    std::string decoded;
    XmlFault fault;
    DecodeAttribute(fields.name, decoded, fault);
    fields.name = std::move(decoded);
  }
  return NamesFileInFolder(fields.name);
}

}  // namespace

RecordPlaces::RecordPlaces(std::string folderPath, ObjectKind kind)
    : folderPath_(std::move(folderPath)), kind_(kind) {}

const std::vector<RecordPlaces::Place>& RecordPlaces::Load() {
  if (loaded_) return places_;
  loaded_ = true;
  const RecordSink sink = [this](const Record& r) {
    const bool ofKind = r.target.form == Target::Form::Id && IsCheckedKind(kind_, r.target.kind);
    places_.push_back({r.begin, r.end, r.from, ofKind ? r.target.IdIn(r.to) : std::string_view()});
  };
  file_ = ReadPackFile(folderPath_, &sink);
  return places_;
}

ListLines::ListLines(RecordPlaces& places, ObjectKind kind)
    : pieces_(file_), places_(places), kind_(kind), format_(RecordTemplateOf(kind).readFormat) {}

bool ListLines::Open(const std::string& folderPath) {
  return file_.Open(platform::JoinPath(folderPath, kMappingFileName), platform::FileMode::Binary);
}

bool ListLines::FindList() {
  Piece piece;
  for (int read = 0; read < kMarkerSearchReads; ++read) {
    if (!pieces_.Next(piece)) return false;
    if (LineText(piece.text) == kListMarker) return true;
  }
  return false;
}

bool ListLines::Next(ListEntry& entry) {
  if (TakePending(entry)) return true;
  Piece piece;
  while (!ended_ && pieces_.Next(piece)) {
    const std::string_view line = LineText(piece.text);
    if (line.empty() || IsCommentLine(line)) continue;
    if (line == kListEnd) break;
    if (MatchRecord(line, format_, fields_) == 2) {
      entry.record = ReadUsableRecord(fields_);
      entry.name = fields_.name;
      entry.id = fields_.id;
      return true;
    }
    if (RecordsOn(piece)) return TakePending(entry);
    // The rest of a record the pack gave is no line of its own.
    if (piece.begin < givenEnd_) continue;
    entry = {};
    return true;
  }
  ended_ = true;
  return false;
}

bool ListLines::RecordsOn(const Piece& piece) {
  // Kits: three pictures a team, no one name for them.
  if (!KindOf(kind_).translatable) return false;
  const std::vector<RecordPlaces::Place>& places = places_.Load();
  // The file read whole must be the file read here.
  const std::string_view bytes = places_.Bytes();
  if (piece.begin > bytes.size() || bytes.substr(piece.begin, piece.text.size()) != piece.text)
    return false;
  const auto startsBefore = [](const RecordPlaces::Place& p, std::size_t at) {
    return p.begin < at;
  };
  const auto from = places.begin() + static_cast<std::ptrdiff_t>(next_);
  next_ = static_cast<std::size_t>(std::lower_bound(from, places.end(), piece.begin, startsBefore) -
                                   places.begin());
  pending_ = next_;
  next_ = static_cast<std::size_t>(
      std::lower_bound(places.begin() + static_cast<std::ptrdiff_t>(next_), places.end(),
                       piece.begin + piece.text.size(), startsBefore) -
      places.begin());
  pendingEnd_ = next_;
  const auto first = places.begin() + static_cast<std::ptrdiff_t>(pending_);
  return std::any_of(first, places.begin() + static_cast<std::ptrdiff_t>(pendingEnd_),
                     [](const RecordPlaces::Place& p) { return !p.id.empty(); });
}

bool ListLines::TakePending(ListEntry& entry) {
  while (pending_ < pendingEnd_) {
    const RecordPlaces::Place& place = places_.Load()[pending_++];
    if (place.id.empty()) continue;
    entry.record = FitsTheFields(place.from, place.id) && NamesFileInFolder(place.from);
    entry.name = place.from;
    entry.id = place.id;
    if (entry.record) givenEnd_ = std::max<std::size_t>(givenEnd_, place.end);
    return true;
  }
  return false;
}

}  // namespace mapio::pack
