#include "checker/jpeg_segments.h"

#include <algorithm>
#include <vector>

namespace mapio::checker {

namespace {

constexpr int kNone = -1;

int Next(PictureBytes& bytes) {
  char c = 0;
  return bytes.Read(&c, 1) == 1 ? static_cast<unsigned char>(c) : kNone;
}

int Next16(PictureBytes& bytes) {
  const int high = Next(bytes);
  const int low = Next(bytes);
  return high == kNone || low == kNone ? kNone : high << 8 | low;
}

// Start of frame: C0 to CF but for C4 (tables), C8 (reserved) and CC.
bool IsFrame(int marker) {
  return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// Markers that stand alone, with no length after them.
bool StandsAlone(int marker) { return marker == 0x01 || (marker >= 0xd0 && marker <= 0xd8); }

// The next marker; bytes between segments are passed over as readers do.
int NextMarker(PictureBytes& bytes) {
  int c = Next(bytes);
  while (c != kNone && c != 0xff) c = Next(bytes);
  while (c == 0xff) c = Next(bytes);
  return c;
}

std::uint32_t Be16(std::span<const unsigned char> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] << 8 | b[at + 1]);
}

// The tables of one DHT segment's contents.
bool TablesSound(std::span<const unsigned char> tables) {
  std::size_t at = 0;
  while (at < tables.size()) {
    if (at + 17 > tables.size() || (tables[at] >> 4) > 1 || (tables[at] & 15) > 3) return false;
    std::size_t codes = 0;
    for (std::size_t i = 1; i <= 16; ++i) codes += tables[at + i];
    if (codes > 256) return false;
    at += 17 + codes;
  }
  return at == tables.size();
}

// The blocks each scan covers, from the frame's components and their
// sampling: MCUs times the blocks a component has in each, for each
// component of the scan (which is also what a scan of one component
// covers, give or take the MCUs' padding).
class ScanWork {
 public:
  void Frame(std::span<const unsigned char> frame) {
    components_.clear();
    if (frame.size() < 6) return;
    const std::uint32_t height = Be16(frame, 1), width = Be16(frame, 3);
    std::uint32_t maxH = 1, maxV = 1;
    for (std::size_t at = 6; at + 3 <= frame.size(); at += 3) {
      const std::uint32_t sampling = frame[at + 1];
      const std::uint32_t h = std::max(1u, sampling >> 4), v = std::max(1u, sampling & 15);
      components_.push_back({frame[at], h * v});
      maxH = std::max(maxH, h);
      maxV = std::max(maxV, v);
    }
    mcus_ =
        std::uint64_t{(width + 8 * maxH - 1) / (8 * maxH)} * ((height + 8 * maxV - 1) / (8 * maxV));
    largest_ = maxH * maxV;
  }

  // Counts one scan with its header `scan`; false once over the budget.
  bool Scan(std::span<const unsigned char> scan) {
    ++scans_;
    const std::size_t count = scan.empty() ? 0 : scan[0];
    for (std::size_t i = 0; i < count && 1 + 2 * i < scan.size(); ++i)
      blocks_ += mcus_ * BlocksPerMcu(scan[1 + 2 * i]);
    return scans_ <= kMaxJpegScans && blocks_ <= kMaxJpegScanBlocks;
  }

 private:
  struct Component {
    unsigned id;
    std::uint32_t blocks;  // in each MCU
  };
  std::uint32_t BlocksPerMcu(unsigned id) const {
    for (const Component& c : components_)
      if (c.id == id) return c.blocks;
    return largest_;
  }

  std::vector<Component> components_;
  std::uint64_t mcus_ = 0;
  std::uint32_t largest_ = 0;
  std::size_t scans_ = 0;
  std::uint64_t blocks_ = 0;
};

}  // namespace

HeaderRead ReadJpegSize(PictureBytes& bytes, std::uint32_t& width, std::uint32_t& height) {
  if (Next(bytes) != 0xff || Next(bytes) != 0xd8) return HeaderRead::Failed;
  for (;;) {
    const int marker = NextMarker(bytes);
    if (marker == kNone || marker == 0xd9 || marker == 0xda) return HeaderRead::Failed;
    if (StandsAlone(marker)) continue;
    const int length = Next16(bytes);
    if (length < 2) return HeaderRead::Failed;
    if (!IsFrame(marker)) {
      bytes.Skip(length - 2);
      continue;
    }
    const int precision = Next(bytes);
    const int h = Next16(bytes);
    const int w = Next16(bytes);
    if (precision == kNone || h == kNone || w == kNone) return HeaderRead::Failed;
    if (w == 0 || h == 0) return HeaderRead::BadSize;
    width = static_cast<std::uint32_t>(w);
    height = static_cast<std::uint32_t>(h);
    return HeaderRead::Read;
  }
}

// Every FF byte is looked at, in the entropy-coded data too, so that no
// table or scan a decoder may come to is passed over: a superset of what
// it reads.
JpegWalk WalkJpeg(std::span<const char> file) {
  const std::span<const unsigned char> b(reinterpret_cast<const unsigned char*>(file.data()),
                                         file.size());
  ScanWork work;
  std::size_t at = 0;
  while (at + 1 < b.size()) {
    if (b[at] != 0xff) {
      ++at;
      continue;
    }
    const int marker = b[at + 1];
    if (marker == 0xd9) return JpegWalk::Sound;  // where decoders stop
    const std::size_t length = at + 4 <= b.size() ? Be16(b, at + 2) : 0;
    if (marker == 0x00 || marker == 0xff || StandsAlone(marker) || length < 2) {
      ++at;
      continue;
    }
    const std::size_t end = at + 2 + length;
    const std::span<const unsigned char> body =
        b.subspan(at + 4, std::min(end, b.size()) - (at + 4));
    if (marker == 0xc4 && !TablesSound(body)) return JpegWalk::BadTables;
    if (IsFrame(marker)) work.Frame(body);
    if (marker == 0xda && !work.Scan(body)) return JpegWalk::TooManyScans;
    // Entropy-coded data follows a scan header: walked byte by byte.
    at = marker == 0xda ? at + 2 : end;
  }
  return JpegWalk::Sound;
}

}  // namespace mapio::checker
