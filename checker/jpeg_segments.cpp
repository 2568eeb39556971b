#include "checker/jpeg_segments.h"

#include <algorithm>

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
// table a decoder may come to is passed over: a superset of what it reads.
bool JpegTablesSound(std::span<const char> file) {
  const std::span<const unsigned char> b(reinterpret_cast<const unsigned char*>(file.data()),
                                         file.size());
  std::size_t at = 0;
  while (at + 1 < b.size()) {
    if (b[at] != 0xff) {
      ++at;
      continue;
    }
    const int marker = b[at + 1];
    if (marker == 0xd9) return true;  // where decoders stop
    const std::size_t length = at + 4 <= b.size() ? Be16(b, at + 2) : 0;
    if (marker == 0x00 || marker == 0xff || StandsAlone(marker) || length < 2) {
      ++at;
      continue;
    }
    const std::size_t end = at + 2 + length;
    if (marker == 0xc4 && !TablesSound(b.subspan(at + 4, std::min(end, b.size()) - (at + 4))))
      return false;
    // Entropy-coded data follows a scan header: walked byte by byte.
    at = marker == 0xda ? at + 2 : end;
  }
  return true;
}

}  // namespace mapio::checker
