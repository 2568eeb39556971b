// Matching a record line the way sscanf does with the read formats, but into
// std::string fields, so that no name is too long for its buffer.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "pack/read_format.h"
#include "platform/text.h"

namespace mapio::pack {

namespace {

using platform::IsSpaceByte;

// The characters a %[...] conversion accepts, by byte: one load a byte.
using ScanSet = std::array<bool, 256>;

// Parses the set that starts right after "%[" at `f`; leaves `f` after the
// closing "]". False when the set is not closed.
bool ParseScanSet(std::string_view format, std::size_t& f, ScanSet& set) {
  set.fill(false);
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
      for (unsigned v = c; v <= last; ++v) set[v] = true;
      f += 2;
      continue;
    }
    set[c] = true;
  }
  if (f >= format.size()) return false;
  ++f;  // past "]"
  if (negate)
    for (bool& in : set) in = !in;
  return true;
}

enum class Step { Matched, Mismatch, EndOfInput };

// A read format taken apart once: the same few formats match every line of
// a file, and reading one character of the format at a time cost more than
// the rest of a record's work.
struct Op {
  enum class Kind { Literal, Space, Convert, Fail } kind;
  std::string literal;  // Literal: characters that must come as they are
  ScanSet set;          // Convert
};

std::vector<Op> Compile(std::string_view format) {
  std::vector<Op> ops;
  const auto literal = [&](char c) {
    if (ops.empty() || ops.back().kind != Op::Kind::Literal)
      ops.push_back({Op::Kind::Literal, {}, {}});
    ops.back().literal.push_back(c);
  };
  for (std::size_t f = 0; f < format.size();) {
    const unsigned char fc = static_cast<unsigned char>(format[f]);
    if (IsSpaceByte(fc)) {
      ++f;
      ops.push_back({Op::Kind::Space, {}, {}});
      continue;
    }
    if (fc == '%' && f + 1 < format.size()) {
      if (format[f + 1] != '%') {
        ++f;
        Op op{Op::Kind::Convert, {}, {}};
        if (format[f] != '[' || !ParseScanSet(format, ++f, op.set)) {
          ops.push_back({Op::Kind::Fail, {}, {}});
          return ops;
        }
        ops.push_back(std::move(op));
        continue;
      }
      // "%%" is a conversion too: it skips white space, then wants a "%".
      ++f;
      ops.push_back({Op::Kind::Space, {}, {}});
    }
    literal(format[f++]);
  }
  return ops;
}

const std::vector<Op>& CompiledFormat(std::string_view format) {
  thread_local std::string compiledFrom;
  thread_local std::vector<Op> ops;
  if (format != compiledFrom || ops.empty()) {
    compiledFrom.assign(format);
    ops = Compile(format);
  }
  return ops;
}

class Matcher {
 public:
  Matcher(std::string_view line, RecordFields& fields) : line_(line), fields_(fields) {}

  int Run(const std::vector<Op>& ops) {
    Step step = Step::Matched;
    for (std::size_t i = 0; step == Step::Matched && i < ops.size(); ++i) step = Next(ops[i]);
    // Running out of input counts as end of file only before the first field.
    if (step == Step::EndOfInput && stored_ == 0) return -1;
    return stored_;
  }

 private:
  Step Next(const Op& op) {
    switch (op.kind) {
      case Op::Kind::Space:
        while (l_ < line_.size() && IsSpaceByte(static_cast<unsigned char>(line_[l_]))) ++l_;
        return Step::Matched;
      case Op::Kind::Literal: {
        const std::size_t n = std::min(op.literal.size(), line_.size() - l_);
        if (std::memcmp(line_.data() + l_, op.literal.data(), n) != 0) return Step::Mismatch;
        l_ += n;
        return n < op.literal.size() ? Step::EndOfInput : Step::Matched;
      }
      case Op::Kind::Convert: {
        if (l_ >= line_.size()) return Step::EndOfInput;
        const std::size_t begin = l_;
        while (l_ < line_.size() && op.set[static_cast<unsigned char>(line_[l_])]) ++l_;
        if (l_ == begin) return Step::Mismatch;
        Store(line_.substr(begin, l_ - begin));
        return Step::Matched;
      }
      case Op::Kind::Fail: break;
    }
    return Step::Mismatch;
  }

  void Store(std::string_view value) {
    if (stored_ == 0) fields_.name.assign(value);
    if (stored_ == 1) fields_.id.assign(value);
    ++stored_;
  }

  std::string_view line_;
  RecordFields& fields_;
  std::size_t l_ = 0;
  int stored_ = 0;
};

}  // namespace

int MatchRecord(std::string_view line, std::string_view readFormat, RecordFields& fields) {
  fields.name.clear();
  fields.id.clear();
  return Matcher(line, fields).Run(CompiledFormat(readFormat));
}

}  // namespace mapio::pack
