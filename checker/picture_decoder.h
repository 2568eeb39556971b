// stb_image, the picture reader, behind the little the probe asks of it.
#pragma once

#include <cstdint>
#include <span>

#include "checker/picture_probe.h"

namespace mapio::checker {

// Where the reader takes a picture's bytes from, in order.
class PictureBytes {
 public:
  // Up to `size` bytes into `data`; 0 at the end.
  virtual int Read(char* data, int size) = 0;
  virtual void Skip(int count) = 0;
  virtual bool AtEnd() const = 0;

 protected:
  ~PictureBytes() = default;
};

// Whether ReadHeaderSize knows the format.
bool CanReadSize(PictureFormat format);

enum class HeaderRead : std::uint8_t { Read, BadSize, Failed };

// The size from the header, read by the format's own reader only.
HeaderRead ReadHeaderSize(PictureFormat format, PictureBytes& bytes, std::uint32_t& width,
                          std::uint32_t& height);

enum class Decoded : std::uint8_t {
  Whole,
  Damaged,       // it cannot be decoded past its header
  TooManyScans,  // a JPEG whose scans would take too long: not tried
};

// Whether the whole picture decodes (its first frame, for a GIF).
Decoded DecodeWhole(std::span<const char> file);

}  // namespace mapio::checker
