// MatchRecord against the C library's sscanf, which it stands in for: the
// first byte picks the kind, the rest is the line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pack/read_format.h"

namespace {

[[noreturn]] void Fail(const char* what, int ours, int theirs) {
  std::fprintf(stderr, "%s: MatchRecord %d, sscanf %d\n", what, ours, theirs);
  std::abort();
}

bool AllDigits(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto kind = static_cast<mapio::ObjectKind>(data[0] % (mapio::kObjectKindCount + 1));
  const std::string format(mapio::pack::RecordTemplateOf(kind).readFormat);
  const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);

  mapio::pack::RecordFields fields;
  const int ours = mapio::pack::MatchRecord(line, format, fields);
  if (ours < -1 || ours > 2) Fail("result out of range", ours, 0);
  if (ours >= 1 && (fields.name.empty() || fields.name.find('"') != std::string::npos))
    Fail("bad name", ours, 0);
  if (ours == 2 && !AllDigits(fields.id)) Fail("bad ID", ours, 0);

  // sscanf sees a C string: compare only lines it sees whole.
  if (line.find('\0') != std::string::npos) return 0;
  std::vector<char> name(line.size() + 1, '\0');
  std::vector<char> id(line.size() + 1, '\0');
  const int theirs = std::sscanf(line.c_str(), format.c_str(), name.data(), id.data());
  if (ours != theirs) Fail("result differs", ours, theirs);
  if (ours >= 1 && fields.name != name.data()) Fail("name differs", ours, theirs);
  if (ours == 2 && fields.id != id.data()) Fail("ID differs", ours, theirs);
  return 0;
}
