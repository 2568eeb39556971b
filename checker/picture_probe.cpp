#include "checker/picture_probe.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "pack/names.h"
#include "checker/jpeg_segments.h"
#include "checker/picture_decoder.h"

namespace mapio::checker {

namespace {

struct FormatText {
  std::string_view name;
  std::string_view article;  // as the name is spoken: "an AVIF picture"
};

constexpr FormatText kFormats[] = {
    {"", ""},       {"PNG", "a"},  {"JPEG", "a"},    {"GIF", "a"}, {"WebP", "a"},
    {"BMP", "a"},   {"TIFF", "a"}, {"ICO", "an"},    {"TGA", "a"}, {"PSD", "a"},
    {"AVIF", "an"}, {"HEIC", "a"}, {"JPEG XL", "a"}, {"QOI", "a"}, {"PNM", "a"},
};
static_assert(std::size(kFormats) == static_cast<std::size_t>(PictureFormat::Pnm) + 1);

bool StartsWith(std::span<const char> bytes, std::string_view prefix, std::size_t at = 0) {
  return bytes.size() >= at + prefix.size() &&
         std::memcmp(bytes.data() + at, prefix.data(), prefix.size()) == 0;
}

std::uint8_t Byte(std::span<const char> bytes, std::size_t at) {
  return at < bytes.size() ? static_cast<std::uint8_t>(bytes[at]) : 0;
}

using namespace std::string_view_literals;

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";
constexpr std::string_view kJpegSignature = "\xff\xd8\xff";
constexpr std::string_view kGifSignature = "GIF8";

// A BMP starts with "BM", which plain text may too: the size of the second
// header, at 14, must also be one of those the format has had.
bool IsBmp(std::span<const char> head) {
  if (!StartsWith(head, "BM")) return false;
  const std::uint32_t size = Byte(head, 14) | Byte(head, 15) << 8 | Byte(head, 16) << 16 |
                             static_cast<std::uint32_t>(Byte(head, 17)) << 24;
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 ||
         size == 124;
}

PictureFormat FromFileTypeBox(std::span<const char> head) {
  if (!StartsWith(head, "ftyp", 4)) return PictureFormat::Unknown;
  for (std::string_view brand : {"avif"sv, "avis"sv}) {
    if (StartsWith(head, brand, 8)) return PictureFormat::Avif;
  }
  for (std::string_view brand : {"heic"sv, "heix"sv, "heim"sv, "heis"sv, "hevc"sv, "mif1"sv}) {
    if (StartsWith(head, brand, 8)) return PictureFormat::Heic;
  }
  return PictureFormat::Unknown;
}

// The format the first bytes name, by signature alone.
PictureFormat Sniff(std::span<const char> head) {
  if (StartsWith(head, kPngSignature)) return PictureFormat::Png;
  if (StartsWith(head, kJpegSignature)) return PictureFormat::Jpeg;
  if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a")) return PictureFormat::Gif;
  if (StartsWith(head, "RIFF") && StartsWith(head, "WEBP", 8)) return PictureFormat::WebP;
  if (IsBmp(head)) return PictureFormat::Bmp;
  if (StartsWith(head, "II*\0"sv) || StartsWith(head, "MM\0*"sv)) return PictureFormat::Tiff;
  if ((StartsWith(head, "\0\0\1\0"sv) || StartsWith(head, "\0\0\2\0"sv)) && Byte(head, 4) != 0)
    return PictureFormat::Ico;
  if (StartsWith(head, "8BPS")) return PictureFormat::Psd;
  if (StartsWith(head, "\xff\x0a") || StartsWith(head, "\0\0\0\x0cJXL \r\n\x87\n"sv))
    return PictureFormat::JpegXl;
  if (StartsWith(head, "qoif")) return PictureFormat::Qoi;
  if (Byte(head, 0) == 'P' && Byte(head, 1) >= '1' && Byte(head, 1) <= '6' &&
      std::strchr(" \t\r\n", Byte(head, 2)) != nullptr && Byte(head, 2) != 0)
    return PictureFormat::Pnm;
  return FromFileTypeBox(head);
}

// The signature a format starts with, where it has one of its own.
std::string_view SignatureOf(PictureFormat format) {
  switch (format) {
    case PictureFormat::Png: return kPngSignature;
    case PictureFormat::Jpeg: return kJpegSignature;
    case PictureFormat::Gif: return kGifSignature;
    default: return {};
  }
}

PictureFormat ExpectedFormat(std::string_view name) {
  switch (pack::PictureExtensionOf(name)) {
    case 0: return PictureFormat::Png;
    case 1: return PictureFormat::Jpeg;
    case 2: return PictureFormat::Gif;
    default: return PictureFormat::Unknown;
  }
}

// Names a saved picture may have had before its extension was added again.
constexpr std::string_view kInnerExtensions[] = {".png",  ".jpg", ".jpeg", ".gif", ".bmp",
                                                 ".webp", ".tga", ".tif",  ".tiff"};

bool EqualFolded(std::string_view text, std::string_view lower) {
  return text.size() == lower.size() &&
         std::equal(text.begin(), text.end(), lower.begin(),
                    [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
}

// The name less its picture extension, when that still ends in one.
std::string_view InnerName(std::string_view name) {
  if (pack::PictureExtensionOf(name) < 0) return {};
  const std::string_view inner = name.substr(0, name.rfind('.'));
  const std::size_t dot = inner.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  for (std::string_view ext : kInnerExtensions) {
    if (EqualFolded(inner.substr(dot), ext)) return inner;
  }
  return {};
}

// The head, then more of the file through a window of a page, read only
// where the header reader goes. Notes whether it asked past the end.
class HeadSource final : public PictureBytes {
 public:
  HeadSource(std::uint64_t size, std::span<const char> head, MoreBytes* more)
      : size_(size),
        head_(head.first(static_cast<std::size_t>(std::min<std::uint64_t>(head.size(), size)))),
        more_(more) {}

  int Read(char* data, int size) override {
    int done = 0;
    while (done < size && !AtEnd()) {
      const std::span<const char> from = BytesAt(pos_);
      // Short of the size: the file shrank since, or cannot be read. It
      // ends here, or a reader looking for a marker would wait for ever.
      if (from.empty()) {
        exhausted_ = true;
        break;
      }
      const std::size_t take = std::min<std::size_t>(from.size(), size - done);
      std::memcpy(data + done, from.data(), take);
      done += static_cast<int>(take);
      pos_ += take;
    }
    if (done < size) askedPastEnd_ = true;
    return done;
  }
  void Skip(int count) override {
    if (count > 0) pos_ = std::min<std::uint64_t>(size_, pos_ + static_cast<std::uint64_t>(count));
  }
  bool AtEnd() const override { return pos_ >= size_ || exhausted_; }
  bool AskedPastEnd() const { return askedPastEnd_; }

 private:
  // The bytes from `at` on that are at hand, read if need be; none at the
  // end of what can be read.
  std::span<const char> BytesAt(std::uint64_t at) {
    if (at < head_.size()) return head_.subspan(at);
    if (at < windowAt_ || at >= windowAt_ + windowLength_) {
      if (more_ == nullptr) return {};
      const std::ptrdiff_t got = more_->ReadAt(at, window_);
      windowAt_ = at;
      windowLength_ = got < 0 ? 0 : static_cast<std::size_t>(got);
    }
    const std::size_t offset = at - windowAt_;
    return std::span<const char>(window_).subspan(offset, windowLength_ - offset);
  }

  std::uint64_t size_;
  std::span<const char> head_;
  MoreBytes* more_;
  std::uint64_t pos_ = 0;
  bool askedPastEnd_ = false;
  bool exhausted_ = false;
  std::array<char, 4096> window_;
  std::uint64_t windowAt_ = 0;
  std::size_t windowLength_ = 0;
};

// Whatever a reader makes of a header cut short, the cut is the cause.
Damage DamageOf(HeaderRead read, bool askedPastEnd) {
  if (askedPastEnd) return Damage::Truncated;
  return read == HeaderRead::BadSize ? Damage::Size : Damage::Header;
}

// A file cut inside the signature of the format its name gives.
bool IsCutSignature(std::span<const char> head, std::uint64_t size, PictureFormat expected) {
  const std::string_view signature = SignatureOf(expected);
  return size < signature.size() && StartsWith(signature, {head.data(), head.size()});
}

}  // namespace

std::string_view FormatName(PictureFormat format) {
  return kFormats[static_cast<std::size_t>(format)].name;
}

PictureInfo ProbePicture(std::string_view name, std::uint64_t fileSize, std::span<const char> head,
                         MoreBytes* more) {
  PictureInfo info;
  info.SetDoubleExtension(!InnerName(name).empty());
  if (fileSize == 0) {
    info.SetFault(PictureFault::Empty);
    return info;
  }
  head = head.first(std::min<std::uint64_t>(head.size(), fileSize));
  const PictureFormat expected = ExpectedFormat(name);
  PictureFormat format = Sniff(head);
  if (format == PictureFormat::Unknown && IsCutSignature(head, fileSize, expected)) {
    info.SetFormat(expected);
    info.SetFault(PictureFault::Broken, Damage::Truncated);
    return info;
  }
  std::uint32_t width = 0, height = 0;
  HeadSource source(fileSize, head, more);
  if (format == PictureFormat::Unknown) {
    // A TGA has no signature: its header is taken on trust when stb's
    // reader finds it plausible, and only from the head.
    HeadSource headOnly(head.size(), head, nullptr);
    if (ReadHeaderSize(PictureFormat::Tga, headOnly, width, height) == HeaderRead::Read)
      format = PictureFormat::Tga;
  }
  info.SetFormat(format);
  if (format != expected && format != PictureFormat::Unknown && expected != PictureFormat::Unknown)
    info.SetFault(PictureFault::Mismatch);
  if (format == PictureFormat::Unknown) {
    if (expected != PictureFormat::Unknown) info.SetFault(PictureFault::Broken, Damage::Signature);
    return info;
  }
  if (format != PictureFormat::Tga && CanReadSize(format)) {
    const HeaderRead read = ReadHeaderSize(format, source, width, height);
    if (read != HeaderRead::Read && info.Fault() == PictureFault::None)
      info.SetFault(PictureFault::Broken, DamageOf(read, source.AskedPastEnd()));
  }
  info.SetSize(width, height);
  return info;
}

PictureInfo DecodePicture(std::string_view name, std::span<const char> file) {
  PictureInfo info = ProbePicture(name, file.size(), file);
  if (info.Fault() != PictureFault::None || !info.HasSize()) return info;
  if (std::uint64_t{info.Width()} * info.Height() > kMaxDecodedPixels) {
    info.SetFault(PictureFault::TooLarge);
    return info;
  }
  // stb's GIF reader stops quietly where the data does: a GIF must end
  // with its trailer byte.
  const bool cutGif = info.Format() == PictureFormat::Gif && file.back() != '\x3b';
  const Decoded decoded = cutGif ? Decoded::Damaged : DecodeWhole(file);
  if (decoded == Decoded::Damaged) info.SetFault(PictureFault::Broken, Damage::Data);
  if (decoded == Decoded::TooManyScans) info.SetFault(PictureFault::Broken, Damage::Scans);
  return info;
}

std::string FaultDetail(std::string_view name, const PictureInfo& info) {
  const FormatText& found = kFormats[static_cast<std::size_t>(info.Format())];
  const std::string said(FormatName(ExpectedFormat(name)));
  switch (info.Fault()) {
    case PictureFault::None: return {};
    case PictureFault::Empty: return "the file is empty";
    case PictureFault::Mismatch:
      return "the file is " + std::string(found.article) + " " + std::string(found.name) +
             " picture";
    case PictureFault::TooLarge:
      return "the " + said + " picture is " + std::to_string(info.Width()) + "x" +
             std::to_string(info.Height()) + ", too large to decode (more than " +
             std::to_string(kMaxDecodedPixels) + " pixels): only its header was read";
    case PictureFault::Broken: break;
  }
  switch (info.Why()) {
    case Damage::Truncated: return "the file ends inside its " + said + " header";
    case Damage::Signature: return "the file does not start as a " + said + " picture does";
    case Damage::Size: return "the " + said + " header gives an impossible size";
    case Damage::Data: return "the " + said + " picture cannot be decoded past its header";
    case Damage::Scans:
      return "the " + said + " picture has too many scans (more than " +
             std::to_string(kMaxJpegScans) + ", or more than " +
             std::to_string(kMaxJpegScanBlocks) + " blocks in all): it was not decoded";
    case Damage::None:
    case Damage::Header: break;
  }
  return "the " + said + " header cannot be read";
}

std::string DoubleExtensionDetail(std::string_view name) {
  return "the record name would keep the inner extension: " + std::string(InnerName(name));
}

}  // namespace mapio::checker
