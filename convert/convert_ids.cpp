#include "convert/convert_ids.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <deque>
#include <iterator>

#include "core/job_events.h"
#include "core/object_kind.h"
#include "pack/pack.h"
#include "pack/pack_edit.h"
#include "pack/pack_file.h"
#include "platform/platform.h"

namespace mapio {

namespace {

using pack::Record;
using pack::Target;

// What a record of an ID kind leaves for the decision once the kind is
// known: 16 bytes, so that half a million stay under 9 MB.
struct Candidate {
  std::uint32_t begin;  // the record's bytes
  std::uint32_t end;
  std::uint32_t idAt;  // where its ID (its "r-" included) starts in the file
  ObjectKind kind;
  bool generated;
  bool wanted;  // its ID is in the ranges asked for
};

std::uint64_t IdValue(std::string_view digits) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return ec == std::errc{} && end == digits.data() + digits.size() ? value : UINT64_MAX;
}

// The ranges sorted and joined where they touch, so that a list of a few
// hundred thousand IDs is searched, not walked, for each record.
std::vector<IdRange> Joined(std::vector<IdRange> ids) {
  std::sort(ids.begin(), ids.end(),
            [](const IdRange& a, const IdRange& b) { return a.first < b.first; });
  std::vector<IdRange> joined;
  for (const IdRange& r : ids) {
    if (!joined.empty() && (joined.back().last == UINT64_MAX || r.first <= joined.back().last + 1))
      joined.back().last = std::max(joined.back().last, r.last);
    else
      joined.push_back(r);
  }
  return joined;
}

bool Wanted(const std::vector<IdRange>& joined, std::uint64_t id) {
  if (joined.empty()) return true;
  const auto after =
      std::upper_bound(joined.begin(), joined.end(), id,
                       [](std::uint64_t v, const IdRange& r) { return v < r.first; });
  return after != joined.begin() && id <= std::prev(after)->last;
}

class Conversion {
 public:
  Conversion(const std::string& folderPath, const ConvertOptions& options)
      : folderPath_(folderPath), options_(options), ids_(Joined(options.ids)) {}

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
    outcome_.kind = options_.kind ? *options_.kind : pack::MostCommonKind(kinds_);
    // The splices' room is taken once, at its size: grown by doubling it
    // would hold two blocks of up to 30 MB at once beside the file.
    edit_.Reserve(
        static_cast<std::size_t>(std::count_if(candidates_.begin(), candidates_.end(),
                                               [this](const Candidate& c) { return Changes(c); })));
    for (const Candidate& c : candidates_) Decide(c);
    candidates_ = {};
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
    ++kinds_[IndexOf(r.target.kind)];
    if (r.toValue == pack::kNoOffset) {
      ++unchangeableOf_[IndexOf(r.target.kind)];
      return;
    }
    candidates_.push_back(
        {r.begin, r.end, static_cast<std::uint32_t>(r.toValue + r.target.IdStart()), r.target.kind,
         r.target.style.generatedId, Wanted(ids_, IdValue(r.target.IdIn(r.to)))});
  }

  bool Changes(const Candidate& c) const {
    return SameRecords(c.kind, outcome_.kind) &&
           c.generated != (options_.to == IdStyle::Generated) && c.wanted;
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
    if (!c.wanted) {
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
    for (const ObjectKind kind : kAllKinds) {
      if (SameRecords(kind, outcome_.kind))
        outcome_.unchangeable += unchangeableOf_[IndexOf(kind)];
      else
        outcome_.otherKinds += unchangeableOf_[IndexOf(kind)];
    }
    outcome_.result = result;
    return std::move(outcome_);
  }

  const std::string& folderPath_;
  const ConvertOptions& options_;
  const std::vector<IdRange> ids_;
  pack::PackFile file_;
  // A deque, as it grows block by block: no second copy while it grows.
  std::deque<Candidate> candidates_;
  pack::KindCounts kinds_{};
  pack::KindCounts unchangeableOf_{};
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
