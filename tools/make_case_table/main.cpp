// Writes platform/case_ranges.inc: utf8proc's simple case mappings as runs
// of code points, for the Windows build, which has no utf8proc. Run by
// `make case-table`; a test of the native build fails while the table and
// the installed utf8proc differ.
#include <utf8proc.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::int32_t kLastCodePoint = 0x10FFFF;

// Each run: code points `first`, `first + step` … `last`, each mapped to
// itself plus `delta`. A run holds every mapped code point between its
// ends, so runs never overlap.
void WriteRuns(const char* name, utf8proc_int32_t (*map)(utf8proc_int32_t)) {
  std::printf("constexpr CaseRun %s[] = {\n", name);
  std::int32_t first = -1;
  std::int32_t last = -1;
  std::int32_t step = 0;
  std::int32_t delta = 0;
  const auto flush = [&] {
    if (first >= 0)
      std::printf("    {0x%X, 0x%X, %d, %d},\n", first, last, step == 0 ? 1 : step, delta);
  };
  for (std::int32_t c = 0; c <= kLastCodePoint; ++c) {
    const std::int32_t d = map(c) - c;
    if (d == 0) continue;
    const bool extends = first >= 0 && d == delta && (step == 0 ? c - last <= 2 : c - last == step);
    if (extends) {
      if (step == 0) step = c - last;
      last = c;
      continue;
    }
    flush();
    first = last = c;
    step = 0;
    delta = d;
  }
  flush();
  std::printf("};\n");
}

}  // namespace

int main() {
  std::printf(
      "// Made by tools/make_case_table from utf8proc %s (Unicode %s): `make case-table`.\n",
      utf8proc_version(), utf8proc_unicode_version());
  std::printf("// clang-format off\n");
  WriteRuns("kLowerRuns", utf8proc_tolower);
  WriteRuns("kUpperRuns", utf8proc_toupper);
  std::printf("// clang-format on\n");
  return 0;
}
