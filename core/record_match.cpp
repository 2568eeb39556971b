// Matching a record line the way sscanf does with the read formats, but into
// std::string fields, so that no name is too long for its buffer.
#include <bitset>

#include "core/record_template.h"
#include "platform/platform.h"

namespace mapio {

namespace {

using platform::IsSpaceByte;

// The characters a %[...] conversion accepts.
using ScanSet = std::bitset<256>;

// Parses the set that starts right after "%[" at `f`; leaves `f` after the
// closing "]". False when the set is not closed.
bool ParseScanSet(std::string_view format, std::size_t& f, ScanSet& set) {
  set.reset();
  bool negate = false;
  if (f < format.size() && format[f] == '^') {
    negate = true;
    ++f;
  }
  const std::size_t start = f;
  // A "]" right at the start belongs to the set.
  for (; f < format.size(); ++f) {
    const unsigned char c = static_cast<unsigned char>(format[f]);
    if (c == ']' && f != start) break;
    const bool range = c != '-' || f == start;
    if (range && f + 2 < format.size() && format[f + 1] == '-' && format[f + 2] != ']' &&
        static_cast<unsigned char>(format[f + 2]) >= c) {
      const unsigned last = static_cast<unsigned char>(format[f + 2]);
      for (unsigned v = c; v <= last; ++v) set.set(v);
      f += 2;
      continue;
    }
    set.set(c);
  }
  if (f >= format.size()) return false;
  ++f;  // past "]"
  if (negate) set.flip();
  return true;
}

enum class Step { Matched, Mismatch, EndOfInput };

class Matcher {
 public:
  Matcher(std::string_view line, std::string_view format, RecordFields& fields)
      : line_(line), format_(format), fields_(fields) {}

  int Run() {
    Step step = Step::Matched;
    while (step == Step::Matched && f_ < format_.size()) step = Next();
    // Running out of input counts as end of file only before the first field.
    if (step == Step::EndOfInput && stored_ == 0) return -1;
    return stored_;
  }

 private:
  Step Next() {
    const unsigned char fc = static_cast<unsigned char>(format_[f_]);
    if (IsSpaceByte(fc)) {
      ++f_;
      SkipSpace();
      return Step::Matched;
    }
    if (fc == '%' && f_ + 1 < format_.size()) {
      if (format_[f_ + 1] != '%') return Convert();
      // "%%" is a conversion too: it skips white space, then wants a "%".
      ++f_;
      SkipSpace();
    }
    ++f_;
    if (l_ >= line_.size()) return Step::EndOfInput;
    if (static_cast<unsigned char>(line_[l_]) != fc) return Step::Mismatch;
    ++l_;
    return Step::Matched;
  }

  void SkipSpace() {
    while (l_ < line_.size() && IsSpaceByte(static_cast<unsigned char>(line_[l_]))) ++l_;
  }

  // One %[...] conversion: the longest run of the set's characters, at
  // least one.
  Step Convert() {
    ++f_;
    ScanSet set;
    if (format_[f_] != '[' || !ParseScanSet(format_, ++f_, set)) {
      return Step::Mismatch;  // a conversion these formats never hold
    }
    if (l_ >= line_.size()) return Step::EndOfInput;
    const std::size_t begin = l_;
    while (l_ < line_.size() && set.test(static_cast<unsigned char>(line_[l_]))) ++l_;
    if (l_ == begin) return Step::Mismatch;
    Store(line_.substr(begin, l_ - begin));
    return Step::Matched;
  }

  void Store(std::string_view value) {
    if (stored_ == 0) fields_.name.assign(value);
    if (stored_ == 1) fields_.id.assign(value);
    ++stored_;
  }

  std::string_view line_;
  std::string_view format_;
  RecordFields& fields_;
  std::size_t l_ = 0;
  std::size_t f_ = 0;
  int stored_ = 0;
};

}  // namespace

int MatchRecord(std::string_view line, std::string_view readFormat, RecordFields& fields) {
  fields.name.clear();
  fields.id.clear();
  return Matcher(line, readFormat, fields).Run();
}

}  // namespace mapio
