#include "convert/convert_ids.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/job_questions.h"
#include "core/object_kind.h"
#include "pack/pack_edit.h"
#include "pack/pack_file.h"
#include "platform/platform.h"

namespace mapio {

namespace {

using pack::Record;
using pack::Target;

// What a record of an ID kind leaves for the decision once the kind is
// known: half a million of these are a few megabytes.
struct Candidate {
  std::uint32_t begin;  // the record's bytes
  std::uint32_t end;
  std::uint32_t idAt;  // where its ID (its "r-" included) starts in the file
  std::uint64_t id;    // the digits' value; UINT64_MAX when they overflow it
  std::uint8_t kind;
  bool generated;
};

std::uint64_t IdValue(std::string_view digits) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return ec == std::errc{} && end == digits.data() + digits.size() ? value : UINT64_MAX;
}

bool Wanted(const std::vector<IdRange>& ids, std::uint64_t id) {
  if (ids.empty()) return true;
  return std::any_of(ids.begin(), ids.end(),
                     [id](const IdRange& r) { return id >= r.first && id <= r.last; });
}

class Conversion {
 public:
  Conversion(const std::string& folderPath, const ConvertOptions& options)
      : folderPath_(folderPath), options_(options) {}

  ConvertOutcome Run() {
    const pack::RecordSink sink = [this](const Record& r) { Take(r); };
    file_ = pack::ReadPackFile(folderPath_, &sink);
    if (!file_.exists) {
      outcome_.readResult = file_.readResult;
      outcome_.utf16 = file_.utf16;
      return Ended(ConvertOutcome::Result::NoFile);
    }
    if (!file_.Editable()) return Ended(ConvertOutcome::Result::NoList);
    outcome_.kindFound = !options_.kind;
    outcome_.kind = options_.kind ? *options_.kind : MostRecords();
    for (const Candidate& c : candidates_) Decide(c);
    if (edit_.Empty()) return Ended(ConvertOutcome::Result::NothingToConvert);
    if (!options_.dryRun && !Write()) return Ended(ConvertOutcome::Result::WriteFailed);
    return Ended(ConvertOutcome::Result::Converted);
  }

 private:
  void Take(const Record& r) {
    if (r.target.form != Target::Form::Id) {
      ++outcome_.fixed;
      return;
    }
    ++kinds_[r.target.kind];
    if (r.toValue == pack::kNoOffset) {
      ++unchangeableOf_[r.target.kind];
      return;
    }
    candidates_.push_back(
        {r.begin, r.end, static_cast<std::uint32_t>(r.toValue + r.target.IdStart()),
         IdValue(r.target.IdIn(r.to)), r.target.kind, r.target.style.generatedId});
  }

  std::int32_t MostRecords() const {
    std::int32_t best = Faces;
    for (std::int32_t kind = 0; kind < kObjectKindCount; ++kind)
      if (kinds_[kind] > kinds_[best]) best = kind;
    return best;
  }

  void Decide(const Candidate& c) {
    if (!SameRecords(c.kind, outcome_.kind)) {
      ++outcome_.otherKinds;
      return;
    }
    if (c.generated == (options_.to == IdStyle::Generated)) {
      ++outcome_.alreadyInStyle;
      return;
    }
    if (!Wanted(options_.ids, c.id)) {
      ++outcome_.leftOut;
      return;
    }
    ++outcome_.converted;
    const std::size_t prefix = kGeneratedIdPrefix.size();
    if (c.generated)
      edit_.Remove(c.idAt, c.idAt + prefix);
    else
      edit_.Replace(c.idAt, 0, kGeneratedIdPrefix);
    if (outcome_.examples.size() < options_.examples) Example(c);
  }

  void Example(const Candidate& c) {
    const std::string_view bytes = file_.bytes;
    std::string before(bytes.substr(c.begin, c.end - c.begin));
    std::string after = before;
    const std::size_t at = c.idAt - c.begin;
    if (c.generated)
      after.erase(at, kGeneratedIdPrefix.size());
    else
      after.insert(at, kGeneratedIdPrefix);
    outcome_.examples.emplace_back(std::move(before), std::move(after));
  }

  // Over the file as it was read, and nothing else.
  bool Write() {
    outcome_.writeFailure =
        pack::WriteEdited(platform::JoinPath(folderPath_, kMappingFileName), file_, edit_);
    return outcome_.writeFailure == platform::WriteFailure::None;
  }

  ConvertOutcome Ended(ConvertOutcome::Result result) {
    for (std::int32_t kind = 0; kind < kObjectKindCount; ++kind) {
      if (SameRecords(kind, outcome_.kind))
        outcome_.unchangeable += unchangeableOf_[kind];
      else
        outcome_.otherKinds += unchangeableOf_[kind];
    }
    outcome_.result = result;
    return std::move(outcome_);
  }

  const std::string& folderPath_;
  const ConvertOptions& options_;
  pack::PackFile file_;
  std::vector<Candidate> candidates_;
  std::array<std::size_t, kObjectKindCount> kinds_{};
  std::array<std::size_t, kObjectKindCount> unchangeableOf_{};
  pack::PackEdit edit_;
  ConvertOutcome outcome_;
};

}  // namespace

ConvertOutcome ConvertIds(const std::string& folderPath, const ConvertOptions& options) {
  return Conversion(folderPath, options).Run();
}

std::optional<IdRange> ParseIdRange(std::string_view text) {
  const std::size_t dash = text.find('-');
  const std::string_view first = text.substr(0, dash);
  const std::string_view last = dash == std::string_view::npos ? first : text.substr(dash + 1);
  const auto digits = [](std::string_view t) {
    return !t.empty() &&
           std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(first) || !digits(last)) return std::nullopt;
  const IdRange range{IdValue(first), IdValue(last)};
  if (range.first == UINT64_MAX || range.last == UINT64_MAX || range.first > range.last)
    return std::nullopt;
  return range;
}

}  // namespace mapio
