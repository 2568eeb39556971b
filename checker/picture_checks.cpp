#include "checker/picture_checks.h"

#include <atomic>

#include "platform/picture_files.h"
#include "platform/process.h"

namespace mapio::checker {

namespace {

// A decoded picture larger than this is told by its header alone.
constexpr std::uint64_t kDeepLimit = std::uint64_t{64} << 20;
constexpr std::size_t kProgressEvery = 1024;

// One thread's share: every `stride`-th picture from `first` on, each
// file opened once with buffers reused from file to file.
void LookInto(const platform::FolderFiles& folder, const std::vector<std::string_view>& pictures,
              std::size_t first, std::size_t stride, const PictureLookOptions& options,
              std::vector<PictureInfo>& infos, std::atomic<std::size_t>& done) {
  platform::FolderFile file;
  FileBytes more(file);
  char head[kProbeHeadSize];
  std::string whole;
  for (std::size_t i = first; i < pictures.size(); i += stride) {
    const std::string_view name = pictures[i];
    const bool link = options.isLink && options.isLink(i);
    const platform::HeadResult r = platform::ReadFileHead(folder, name, head, file, link);
    if (r.status == platform::FileStatus::Read) {
      infos[i] = options.deep && file.ReadAll(whole, kDeepLimit) == platform::FileStatus::Read
                     ? DecodePicture(name, whole)
                     : ProbePicture(name, r.size, std::span<const char>(head, r.length), &more);
    }
    const std::size_t now = done.fetch_add(1, std::memory_order_relaxed) + 1;
    // Told from one thread only, so that a window's progress is never asked twice at once.
    if (first == 0 && options.progress && now % kProgressEvery < stride) options.progress(now);
  }
  file.Close();
}

}  // namespace

std::vector<PictureInfo> LookIntoPictures(const std::string& folderPath,
                                          const std::vector<std::string_view>& pictures,
                                          const PictureLookOptions& options) {
  std::vector<PictureInfo> infos(pictures.size());
  platform::FolderFiles folder;
  if (pictures.empty() || !folder.Open(folderPath)) return infos;
  std::atomic<std::size_t> done{0};
  platform::RunTogether([&] { LookInto(folder, pictures, 1, 2, options, infos, done); },
                        [&] { LookInto(folder, pictures, 0, 2, options, infos, done); });
  if (options.progress) options.progress(pictures.size());
  return infos;
}

std::vector<PictureInfo> LookIntoPictures(const pack::PackPictures& pictures,
                                          PictureLookOptions options) {
  std::vector<PictureInfo> infos;
  const auto progress = std::move(options.progress);
  for (const pack::PackPictures::Folder& folder : pictures.Folders()) {
    const pack::Listing& listing = *folder.listing;
    options.isLink = [&listing](std::size_t i) { return listing.IsLink(i); };
    if (progress)
      options.progress = [&progress, &folder](std::size_t done) { progress(folder.first + done); };
    std::vector<PictureInfo> some = LookIntoPictures(*folder.path, listing.Pictures(), options);
    if (infos.empty())
      infos = std::move(some);
    else
      infos.insert(infos.end(), some.begin(), some.end());
  }
  return infos;
}

}  // namespace mapio::checker
