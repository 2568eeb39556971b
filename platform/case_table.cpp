// utf8proc's simple case mappings without utf8proc: runs of code points
// made from it by tools/make_case_table, searched by their first code point.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/case_mapping.h"

namespace mapio::platform {

namespace {

struct CaseRun {
  char32_t first;
  char32_t last;
  std::int32_t step;
  std::int32_t delta;
};

#include "platform/case_ranges.inc"

template <std::size_t N>
char32_t Map(const CaseRun (&runs)[N], char32_t c) {
  const CaseRun* run =
      std::upper_bound(std::begin(runs), std::end(runs), c,
                       [](char32_t value, const CaseRun& r) { return value < r.first; });
  if (run == std::begin(runs)) return c;
  --run;
  if (c > run->last || (c - run->first) % static_cast<char32_t>(run->step) != 0) return c;
  return static_cast<char32_t>(static_cast<std::int32_t>(c) + run->delta);
}

}  // namespace

char32_t TableLower(char32_t codePoint) { return Map(kLowerRuns, codePoint); }

char32_t TableUpper(char32_t codePoint) { return Map(kUpperRuns, codePoint); }

}  // namespace mapio::platform
