// The one file that compiles stb_image. Only the readers of the formats a
// pack may hold, and none of its file functions: the caller reads files.
#include "checker/picture_decoder.h"

#include "checker/jpeg_segments.h"

#include <climits>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_PIC
// A side that fits PictureInfo; larger ones fail as "too large".
#define STBI_MAX_DIMENSIONS ((1 << 24) - 1)
// Its warnings are its own: the header comes in as a system header.
#include <stb_image.h>

namespace mapio::checker {

namespace {

int ReadBytes(void* user, char* data, int size) {
  return static_cast<PictureBytes*>(user)->Read(data, size);
}
void SkipBytes(void* user, int count) { static_cast<PictureBytes*>(user)->Skip(count); }
int AtEndOf(void* user) { return static_cast<PictureBytes*>(user)->AtEnd() ? 1 : 0; }

using InfoReader = int (*)(stbi__context*, int*, int*, int*);

InfoReader ReaderOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png: return stbi__png_info;
    case PictureFormat::Gif: return stbi__gif_info;
    case PictureFormat::Bmp: return stbi__bmp_info;
    case PictureFormat::Tga: return stbi__tga_info;
    case PictureFormat::Psd: return stbi__psd_info;
    case PictureFormat::Pnm: return stbi__pnm_info;
    default: return nullptr;
  }
}

// stb's reasons for a size it refuses.
bool IsSizeReason(const char* reason) {
  for (const char* known : {"0-pixel image", "0 width", "no header height", "too large"})
    if (reason != nullptr && std::strcmp(reason, known) == 0) return true;
  return false;
}

// What stb's JPEG reader takes for one: fill bytes, then a start of image.
bool StbTakesForJpeg(std::span<const char> file) {
  std::size_t at = 0;
  while (at < file.size() && file[at] == '\xff') ++at;
  return at > 0 && at < file.size() && file[at] == '\xd8';
}

}  // namespace

bool CanReadSize(PictureFormat format) {
  return format == PictureFormat::Jpeg || ReaderOf(format) != nullptr;
}

// stbi_info_from_callbacks would try every format in turn, and after a
// long read its rewind hands the next one other bytes than the first:
// only the format the signature names is asked. Never stb for a JPEG
// (see jpeg_segments.h).
HeaderRead ReadHeaderSize(PictureFormat format, PictureBytes& bytes, std::uint32_t& width,
                          std::uint32_t& height) {
  if (format == PictureFormat::Jpeg) return ReadJpegSize(bytes, width, height);
  const InfoReader reader = ReaderOf(format);
  if (reader == nullptr) return HeaderRead::Failed;
  stbi_io_callbacks callbacks{ReadBytes, SkipBytes, AtEndOf};
  stbi__context context;
  stbi__start_callbacks(&context, &callbacks, &bytes);
  int x = 0, y = 0, components = 0;
  stbi__g_failure_reason = nullptr;
  if (!reader(&context, &x, &y, &components))
    return IsSizeReason(stbi_failure_reason()) ? HeaderRead::BadSize : HeaderRead::Failed;
  if (x <= 0 || y <= 0 || x > STBI_MAX_DIMENSIONS || y > STBI_MAX_DIMENSIONS)
    return HeaderRead::BadSize;
  width = static_cast<std::uint32_t>(x);
  height = static_cast<std::uint32_t>(y);
  return HeaderRead::Read;
}

Decoded DecodeWhole(std::span<const char> file) {
  if (file.size() > static_cast<std::size_t>(INT_MAX)) return Decoded::Damaged;
  if (StbTakesForJpeg(file)) {
    switch (WalkJpeg(file)) {
      case JpegWalk::Sound: break;
      case JpegWalk::BadTables: return Decoded::Damaged;
      case JpegWalk::TooManyScans: return Decoded::TooManyScans;
    }
  }
  int x = 0, y = 0, components = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                                          static_cast<int>(file.size()), &x, &y, &components, 0);
  stbi_image_free(pixels);
  return pixels != nullptr ? Decoded::Whole : Decoded::Damaged;
}

}  // namespace mapio::checker
