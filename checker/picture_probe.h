// What a picture file holds, told from its first bytes, its size and its
// name: the format of its contents, its size in pixels, and what keeps it
// from showing. No system calls: the caller reads the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mapio::checker {

enum class PictureFormat : std::uint8_t {
  Unknown,
  Png,
  Jpeg,
  Gif,
  WebP,
  Bmp,
  Tiff,
  Ico,
  Tga,
  Psd,
  Avif,
  Heic,
  JpegXl,
  Qoi,
  Pnm,
};

// "PNG", "JPEG", "GIF", "WebP", ...; "" for Unknown.
std::string_view FormatName(PictureFormat format);

enum class PictureFault : std::uint8_t {
  None,
  Empty,     // no bytes at all
  Mismatch,  // contents of another format than the extension says
  Broken,    // the header (or, decoded, the picture) cannot be read
  TooLarge,  // decoded: more pixels than are decoded, told by its header alone
};

// Why a picture is broken.
enum class Damage : std::uint8_t {
  None,
  Truncated,  // the file ends inside the header
  Signature,  // its first bytes are no picture's
  Size,       // a width or height of 0, or too large to show
  Header,     // fields of the header the format does not allow
  Data,       // decoded: the picture past its header cannot be
  Scans,      // decoded: a JPEG of more scans than a decoder is given
};

// A probe's result in 8 bytes: one for each picture of a large pack.
class PictureInfo {
 public:
  PictureFormat Format() const { return static_cast<PictureFormat>(format_); }
  PictureFault Fault() const { return static_cast<PictureFault>(fault_); }
  Damage Why() const { return static_cast<Damage>(damage_); }
  // The name less its picture extension still ends in one: "1234.png.png".
  bool DoubleExtension() const { return doubleExtension_ != 0; }
  // Whether the header gave a width and a height.
  bool HasSize() const { return width_ != 0 && height_ != 0; }
  std::uint32_t Width() const { return width_; }
  std::uint32_t Height() const { return height_; }

  void SetFormat(PictureFormat format) { format_ = static_cast<std::uint32_t>(format); }
  // Both below 2^24 (kMaxSide); the header reader refuses larger ones.
  void SetSize(std::uint32_t width, std::uint32_t height) {
    width_ = width;
    height_ = height;
  }
  void SetFault(PictureFault fault, Damage why = Damage::None) {
    fault_ = static_cast<std::uint32_t>(fault);
    damage_ = static_cast<std::uint32_t>(why);
  }
  void SetDoubleExtension(bool yes) { doubleExtension_ = yes ? 1 : 0; }

  static constexpr std::uint32_t kMaxSide = (1u << 24) - 1;

 private:
  std::uint32_t width_ : 24 = 0;
  std::uint32_t format_ : 8 = 0;
  std::uint32_t height_ : 24 = 0;
  std::uint32_t fault_ : 3 = 0;
  std::uint32_t damage_ : 3 = 0;
  std::uint32_t doubleExtension_ : 1 = 0;
};

// Bytes of the file past its head, for a header that reaches further (a
// JPEG's size comes after its EXIF block, which may be large).
class MoreBytes {
 public:
  // Fills `buffer` from `offset` on; fewer bytes only at the end of the
  // file, -1 on a read error.
  virtual std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<char> buffer) = 0;

 protected:
  ~MoreBytes() = default;
};

// How many bytes of a file ProbePicture wants in `head`; most headers are
// read from them alone.
inline constexpr std::size_t kProbeHeadSize = 512;

// Probes the file `name` (ending in a picture extension) of `fileSize`
// bytes, whose first bytes are `head` (all of them when the file is
// smaller). `fileSize` may be UINT64_MAX (platform::kUnknownSize) when
// the head is full: the end of the file is then where `more` finds it.
// Asks `more` only for bytes past the head, in small reads that follow
// the header; without it the file is taken to end with the head.
PictureInfo ProbePicture(std::string_view name, std::uint64_t fileSize, std::span<const char> head,
                         MoreBytes* more = nullptr);

// A picture this large in pixels is not decoded: its size alone is told.
inline constexpr std::uint64_t kMaxDecodedPixels = std::uint64_t{1} << 25;

// ProbePicture on the whole file, then, if the header is sound, the whole
// picture decoded to find damage past it; one larger than
// kMaxDecodedPixels is TooLarge.
PictureInfo DecodePicture(std::string_view name, std::span<const char> file);

// The sentence a finding gives for a probe's fault (None gives ""):
// "the file is a JPEG picture", "the file is empty", ...
std::string FaultDetail(std::string_view name, const PictureInfo& info);
// "the record name would keep the inner extension: 1234.png".
std::string DoubleExtensionDetail(std::string_view name);

}  // namespace mapio::checker
