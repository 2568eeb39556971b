// The input is a picture file, probed under each picture extension as the
// check reads it (its head, then small reads further in) and as a whole;
// both must agree, and a header-sound picture is then decoded whole.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "checker/picture_probe.h"

namespace {

using mapio::checker::MoreBytes;
using mapio::checker::PictureFault;
using mapio::checker::PictureInfo;

class Rest : public MoreBytes {
 public:
  explicit Rest(std::string_view file) : file_(file) {}
  std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    if (offset >= file_.size()) return 0;
    const std::size_t n = std::min(buffer.size(), file_.size() - offset);
    std::copy_n(file_.data() + offset, n, buffer.data());
    return static_cast<std::ptrdiff_t>(n);
  }

 private:
  std::string_view file_;
};

bool Same(const PictureInfo& a, const PictureInfo& b) {
  return a.Format() == b.Format() && a.Fault() == b.Fault() && a.Why() == b.Why() &&
         a.Width() == b.Width() && a.Height() == b.Height();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const std::span<const char> head(file.data(), std::min(size, mapio::checker::kProbeHeadSize));
  const char* sound = nullptr;  // a name the picture's header is sound under
  for (const char* name : {"a.png", "b.jpg", "c.gif", "d.jpg.png"}) {
    Rest rest(file);
    const std::uint64_t known = size > head.size() ? UINT64_MAX : size;
    const PictureInfo probed = mapio::checker::ProbePicture(name, known, head, &rest);
    const PictureInfo whole = mapio::checker::ProbePicture(name, size, file);
    if (!Same(probed, whole)) std::abort();
    const bool faulty = probed.Fault() != PictureFault::None;
    if (faulty == mapio::checker::FaultDetail(name, probed).empty()) std::abort();
    if (probed.Width() > PictureInfo::kMaxSide || probed.Height() > PictureInfo::kMaxSide)
      std::abort();
    if (!faulty && probed.HasSize()) sound = name;
    // A file that shrank since its size was taken: the probe still ends.
    Rest shrunk(file.substr(0, size / 2));
    mapio::checker::ProbePicture(name, size, head.first(std::min(head.size(), size / 2)), &shrunk);
  }
  if (sound != nullptr) mapio::checker::DecodePicture(sound, file);
  return 0;
}
