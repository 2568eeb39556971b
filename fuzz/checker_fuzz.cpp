// The input becomes config.xml of a scratch folder with a few pictures, a
// subfolder and a neighbouring folder; the check reads it and lists the
// folder, and afterwards every file in and around the folder is as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "checker/check_pack.h"
#include "checker/report.h"
#include "core/object_kind.h"
#include "fuzz/fuzz_files.h"

namespace fs = std::filesystem;

namespace {

using mapio::fuzz::Entries;
using mapio::fuzz::WriteFile;

struct Scratch {
  fs::path root, work;

  Scratch() {
    root = mapio::fuzz::MakeScratchFolder("mapio-fuzz-check");
    work = root / "work";
    fs::create_directories(work / "sub");
    fs::create_directories(root / "outside");
    for (const char* n : {"x.png", "1.png"}) WriteFile(root / "outside" / n, n);
    WriteFile(work / "sub" / "x.png", "sub");
    for (const char* n : {"a.png", "A.PNG", "b.jpg", "B.gif", "1.png", "x.png", "..png", "a&b.png"})
      WriteFile(work / n, n);
  }
  ~Scratch() { fs::remove_all(root); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  const std::string_view config(reinterpret_cast<const char*>(data), size);
  WriteFile(scratch.work / "config.xml", config);
  const auto before = Entries(scratch.root);

  // One past the kinds too: a kind made from a stray byte is taken as faces.
  const auto kind =
      static_cast<mapio::ObjectKind>(size > 0 ? data[size - 1] % (mapio::kObjectKindCount + 1) : 0);
  const auto report = mapio::checker::CheckPack(scratch.work.string(), kind);
  std::size_t length = 0;
  for (const auto& f : report.findings) length += mapio::checker::FindingLine(report, f).size();
  length += mapio::checker::SummaryLine(report).size();
  if (length == 0) std::abort();

  if (Entries(scratch.root) != before) {
    std::fprintf(stderr, "the check changed a file\n");
    std::abort();
  }
  return 0;
}
