// A pack's usual picture size, decided by the pack itself: pack styles
// differ, so no size is taken as right in advance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "checker/picture_probe.h"

namespace mapio::checker {

struct UsualSize {
  bool found = false;  // whether the pack has one
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::size_t sized = 0;   // pictures whose header gave a size
  std::size_t differ = 0;  // of those, the ones of another size than the usual one

  // Whether a picture is of another size than the usual one: never when
  // there is none, or when the picture's size is not known.
  bool Differs(const PictureInfo& picture) const;
};

// The size more than half of the pictures with a known size share, if one
// does: a strict majority is never tied, needs no threshold to tune, and
// still points out a batch of pictures pasted in from another pack.
UsualSize FindUsualSize(std::span<const PictureInfo> pictures);

// "the picture is 200x250, the pack's usual size is 180x180".
std::string OddSizeDetail(const PictureInfo& picture, const UsualSize& usual);
// "usual size 180x180, 3 pictures of another size"; "no usual size" when
// no size is shared by most; "" when no picture has a known size.
std::string UsualSizeSummary(const UsualSize& usual);

}  // namespace mapio::checker
