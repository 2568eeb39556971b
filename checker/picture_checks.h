// A look inside every picture of a pack: what each holds, read from its
// head (or decoded whole), for the check's picture findings.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "checker/picture_probe.h"
#include "pack/pack_pictures.h"
#include "platform/picture_files.h"

namespace mapio::checker {

// The rest of an open file, for a header that goes past its head.
class FileBytes final : public MoreBytes {
 public:
  explicit FileBytes(platform::FolderFile& file) : file_(file) {}
  std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    return file_.ReadAt(offset, buffer);
  }

 private:
  platform::FolderFile& file_;
};

struct PictureLookOptions {
  // Decode every picture whole, to find damage past its header.
  bool deep = false;
  // Now and then, with the pictures looked at so far.
  std::function<void(std::size_t done)> progress;
  // Whether a picture is a link to a file inside the pack, read through
  // it; every other link is refused.
  std::function<bool(std::size_t picture)> isLink;
};

// What each of `pictures` (names in `folderPath`) holds, in their order.
// A picture that cannot be read (gone since, a link that leads out of the
// pack, no permission) has no format and no fault. Two threads share the work: it waits on the
// system file by file.
std::vector<PictureInfo> LookIntoPictures(const std::string& folderPath,
                                          const std::vector<std::string_view>& pictures,
                                          const PictureLookOptions& options);

// The same for a pack's pictures, in their numbers, each read in its own
// folder; `options.isLink` is the pack's own.
std::vector<PictureInfo> LookIntoPictures(const pack::PackPictures& pictures,
                                          PictureLookOptions options);

}  // namespace mapio::checker
