// The picture checks alone, as the check will run them: the folder listed,
// then every picture's head read and probed through one folder descriptor
// and one buffer, and the pack's usual size found. To time against
// floor_pictures (bench/picture_bench.py).
// Usage: picture_bench FOLDER [--sorted] [--deep]
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "pack/names.h"
#include "checker/picture_checks.h"
#include "checker/picture_probe.h"
#include "checker/usual_size.h"
#include "platform/picture_files.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace {

using namespace mapio;

constexpr std::uint64_t kDeepLimit = 64 << 20;

checker::PictureInfo Probe(const platform::FolderFiles& folder, std::string_view name, bool deep,
                           std::span<char> head, std::string& whole, platform::FolderFile& file) {
  const platform::HeadResult r = platform::ReadFileHead(folder, name, head, file);
  if (r.status != platform::FileStatus::Read) return {};
  static_assert(platform::kUnknownSize == UINT64_MAX);  // as ProbePicture takes it
  if (deep && file.ReadAll(whole, kDeepLimit) == platform::FileStatus::Read)
    return checker::DecodePicture(name, whole);
  checker::FileBytes more(file);
  return checker::ProbePicture(name, r.size, head.first(r.length), &more);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: picture_bench FOLDER [--sorted] [--deep]\n");
    return 2;
  }
  bool sorted = false, deep = false;
  for (int i = 2; i < argc; ++i) {
    sorted = sorted || std::string_view(argv[i]) == "--sorted";
    deep = deep || std::string_view(argv[i]) == "--deep";
  }
  platform::FolderListing listing;
  platform::FolderFiles folder;
  if (!platform::ListFolder(argv[1], listing,
                            sorted ? platform::ListOrder::ByName : platform::ListOrder::AsStored) ||
      !folder.Open(argv[1]))
    return 1;
  std::vector<checker::PictureInfo> pictures;
  pictures.reserve(listing.Size());
  platform::FolderFile file;
  char head[checker::kProbeHeadSize];
  std::string whole;
  std::size_t faults[static_cast<int>(checker::PictureFault::TooLarge) + 1] = {};
  for (const platform::DirEntry e : listing) {
    if (e.IsDirectory() || pack::PictureExtensionOf(e.name) < 0) continue;
    pictures.push_back(Probe(folder, e.name, deep, head, whole, file));
    ++faults[static_cast<int>(pictures.back().Fault())];
  }
  file.Close();
  const checker::UsualSize usual = checker::FindUsualSize(pictures);
  std::printf("%zu pictures: %zu empty, %zu mismatch, %zu broken, %zu too large; %s\n",
              pictures.size(), faults[1], faults[2], faults[3], faults[4],
              checker::UsualSizeSummary(usual).c_str());
  return 0;
}
