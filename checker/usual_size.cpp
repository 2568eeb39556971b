#include "checker/usual_size.h"

#include "core/counted.h"

namespace mapio::checker {

namespace {

std::uint64_t Key(std::uint32_t width, std::uint32_t height) {
  return std::uint64_t{width} << 32 | height;
}

std::string SizeText(std::uint32_t width, std::uint32_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

bool UsualSize::Differs(const PictureInfo& picture) const {
  return found && picture.HasSize() && (picture.Width() != width || picture.Height() != height);
}

// Boyer and Moore's majority vote: one pass finds the only size that can
// be a majority, a second counts it. No table of sizes.
UsualSize FindUsualSize(std::span<const PictureInfo> pictures) {
  UsualSize usual;
  std::uint64_t candidate = 0;
  std::size_t lead = 0;
  for (const PictureInfo& p : pictures) {
    if (!p.HasSize()) continue;
    ++usual.sized;
    const std::uint64_t key = Key(p.Width(), p.Height());
    if (lead == 0) candidate = key;
    if (key == candidate)
      ++lead;
    else
      --lead;
  }
  std::size_t shared = 0;
  for (const PictureInfo& p : pictures) {
    if (p.HasSize() && Key(p.Width(), p.Height()) == candidate) ++shared;
  }
  if (usual.sized == 0 || shared * 2 <= usual.sized) return usual;
  usual.found = true;
  usual.width = static_cast<std::uint32_t>(candidate >> 32);
  usual.height = static_cast<std::uint32_t>(candidate);
  usual.differ = usual.sized - shared;
  return usual;
}

std::string OddSizeDetail(const PictureInfo& picture, const UsualSize& usual) {
  return "the picture is " + SizeText(picture.Width(), picture.Height()) +
         ", the pack's usual size is " + SizeText(usual.width, usual.height);
}

std::string UsualSizeSummary(const UsualSize& usual) {
  if (usual.sized == 0) return {};
  if (!usual.found) return "no usual size";
  return "usual size " + SizeText(usual.width, usual.height) + ", " +
         Counted(usual.differ, "picture") + " of another size";
}

}  // namespace mapio::checker
