// How long the platform layer takes for a folder of many pictures: listing,
// renaming every file to an ID, and writing one record per file.
// Usage: platform_bench [count]   (default 200000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/atomic_writer.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace fs = std::filesystem;
namespace platform = mapio::platform;

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string PictureName(long i) {
  // Mixed case and a few non-ASCII names, as real packs have.
  std::string name = (i % 3 == 0 ? "Face_" : "player ") + std::to_string(i * 7919 % 1000003);
  if (i % 10 == 0) name += "\xC3\x84";
  return name + (i % 2 == 0 ? ".png" : ".PNG");
}

}  // namespace

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 200000;
  const fs::path folder = fs::temp_directory_path() / "mapio-platform-bench";
  fs::remove_all(folder);
  fs::create_directory(folder);
  for (long i = 0; i < count; ++i) std::ofstream(folder / PictureName(i));

  auto start = std::chrono::steady_clock::now();
  platform::FolderListing entries;
  if (!platform::ListFolder(folder.string(), entries)) return 1;
  std::printf("ListFolder      %8zu entries  %7.3f s\n", entries.Size(), SecondsSince(start));

  start = std::chrono::steady_clock::now();
  long renamed = 0;
  for (std::size_t i = 0; i < entries.Size(); ++i) {
    const std::string from = platform::JoinPath(folder.string(), entries[i].name);
    const std::string to = platform::JoinPath(folder.string(), std::to_string(i) + ".png");
    renamed += platform::RenameNoReplace(from, to) == platform::RenameResult::Renamed ? 1 : 0;
  }
  std::printf("RenameNoReplace %8ld renamed  %7.3f s\n", renamed, SecondsSince(start));

  start = std::chrono::steady_clock::now();
  platform::AtomicFileWriter writer;
  if (!writer.Open((folder / "config.xml").string())) return 1;
  for (long i = 0; i < count; ++i) {
    writer.Write("\t\t<record from=\"" + std::to_string(i) + "\" to=\"graphics/pictures/person/" +
                 std::to_string(i) + "/portrait\"/>\n");
  }
  const bool committed = writer.Commit();
  std::printf("AtomicFileWriter %7ld records  %7.3f s%s\n", count, SecondsSince(start),
              committed ? "" : "  (failed)");

  fs::remove_all(folder);
  return committed && renamed == count ? 0 : 1;
}
