// The input becomes config.xml of a scratch folder with a few pictures, a
// subfolder and a neighbouring folder; after the translate job nothing
// outside the scratch folder has changed and no file in it was lost.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "fuzz/fuzz_files.h"
#include "translator/mapping_translator.h"

namespace fs = std::filesystem;

namespace {

using mapio::fuzz::Entries;
using mapio::fuzz::ReadFile;
using mapio::fuzz::WriteFile;

std::size_t FileCount(const fs::path& folder) {
  std::size_t n = 0;
  for (const auto& e : fs::directory_iterator(folder)) n += e.is_directory() ? 0 : 1;
  return n;
}

struct Scratch {
  fs::path root, work, journals;
  std::map<std::string, std::string> outside;

  Scratch() {
    root = mapio::fuzz::MakeScratchFolder("mapio-fuzz");
    work = root / "work";
    fs::create_directories(work / "sub");
    fs::create_directories(root / "outside");
    // The journals of the renames change at every run: kept out of what is
    // compared.
    journals = mapio::fuzz::MakeScratchFolder("mapio-fuzz-journals");
    for (const char* n : {"x.png", "y.jpg", "z.gif", "1.png"}) WriteFile(root / "outside" / n, n);
    WriteFile(root / "outside.png", "beside");
    WriteFile(work / "sub" / "x.png", "sub");
    outside = Entries(root, work);
  }
  ~Scratch() {
    fs::remove_all(root);
    fs::remove_all(journals);
  }

  void Reset(std::string_view config) {
    for (const auto& e : fs::directory_iterator(work)) {
      if (!e.is_directory()) fs::remove(e.path());
    }
    for (const char* n : {"a.png", "A.PNG", "b.jpg", "B.gif", "1.png", "x.png", "..png"})
      WriteFile(work / n, n);
    WriteFile(work / "config.xml", config);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  const std::string_view config(reinterpret_cast<const char*>(data), size);
  scratch.Reset(config);
  const std::size_t files = FileCount(scratch.work);

  mapio::TranslateOptions options;
  // One past the kinds too: a kind made from a stray byte is taken as faces.
  options.kind =
      static_cast<mapio::ObjectKind>(size > 0 ? data[size - 1] % (mapio::kObjectKindCount + 1) : 0);
  options.journal.folder = scratch.journals.string();
  mapio::TranslateNames(scratch.work.string(), options, {});

  if (Entries(scratch.root, scratch.work) != scratch.outside) {
    std::fprintf(stderr, "something outside the folder changed\n");
    std::abort();
  }
  if (FileCount(scratch.work) != files) {
    std::fprintf(stderr, "a file in the folder was lost or made\n");
    std::abort();
  }
  if (ReadFile(scratch.work / "config.xml") != config) {
    std::fprintf(stderr, "config.xml changed\n");
    std::abort();
  }
  return 0;
}
