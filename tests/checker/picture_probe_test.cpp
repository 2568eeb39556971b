// Crafted picture files, each with what a probe of it must say, and a
// pack's usual size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/jpeg_segments.h"
#include "checker/picture_probe.h"
#include "checker/usual_size.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
// Its warnings are its own: the header comes in as a system header.
#include <stb_image_write.h>

namespace mapio::checker {
namespace {

using namespace std::string_literals;

void Append(void* out, void* data, int size) {
  static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
}

std::vector<unsigned char> Pixels(int width, int height, int channels) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * channels));
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
  return pixels;
}

std::string Png(int width, int height, int channels = 3) {
  std::string out;
  stbi_write_png_to_func(Append, &out, width, height, channels,
                         Pixels(width, height, channels).data(), 0);
  return out;
}

std::string Jpeg(int width, int height) {
  std::string out;
  stbi_write_jpg_to_func(Append, &out, width, height, 3, Pixels(width, height, 3).data(), 90);
  return out;
}

std::string Le16(int v) { return {static_cast<char>(v & 255), static_cast<char>(v >> 8 & 255)}; }

// 128 colours, so that every LZW code is one byte when a clear code comes
// before the code table needs a ninth bit.
std::string Gif(int width, int height) {
  std::string gif = "GIF89a" + Le16(width) + Le16(height) + "\xf6\0\0"s;
  for (int i = 0; i < 128 * 3; ++i) gif.push_back(static_cast<char>(i));
  gif += "\x2c\0\0\0\0"s + Le16(width) + Le16(height) + "\0\x07"s;
  std::string codes;
  for (int i = 0; i < width * height; ++i) {
    if (i % 100 == 0) codes.push_back('\x80');
    codes.push_back(static_cast<char>(i % 128));
  }
  codes.push_back('\x81');
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::string block = codes.substr(at, 255);
    gif += static_cast<char>(block.size()) + block;
  }
  return gif + "\0\x3b"s;
}

// A JPEG with an APP1 (EXIF) block of `size` bytes right after its start.
std::string WithExif(const std::string& jpeg, int size) {
  const int length = size + 2;
  std::string app1 = "\xff\xe1"s + static_cast<char>(length >> 8) + static_cast<char>(length & 255);
  app1 += "Exif\0\0"s + std::string(static_cast<std::size_t>(size - 6), 'e');
  return jpeg.substr(0, 2) + app1 + jpeg.substr(2);
}

std::string Be16(int v) { return {static_cast<char>(v >> 8 & 255), static_cast<char>(v & 255)}; }

std::string Segment(char marker, const std::string& body) {
  return "\xff"s + marker + Be16(static_cast<int>(body.size()) + 2) + body;
}

// A progressive grey JPEG: its DC scan, then `acScans` scans of a few bytes
// each that pass over every block (one run of up to 32767 empty ones), as
// a decode-time bomb repeats them.
std::string Progressive(int width, int height, int acScans) {
  std::string jpeg = "\xff\xd8"s + Segment('\xdb', "\0"s + std::string(64, '\1')) +
                     Segment('\xc2', "\x08"s + Be16(height) + Be16(width) + "\x01\x01\x11\0"s) +
                     // One code each: a DC difference of 0, a run of empty blocks.
                     Segment('\xc4', "\x00\x01"s + std::string(16, '\0')) +
                     Segment('\xc4', "\x10\x01"s + std::string(15, '\0') + "\xe0"s);
  const std::size_t blocks = static_cast<std::size_t>((width + 7) / 8) * ((height + 7) / 8);
  jpeg += Segment('\xda', "\x01\x01\0\0\0\0"s) + std::string((blocks + 7) / 8, '\0');
  for (int i = 0; i < acScans; ++i) jpeg += Segment('\xda', "\x01\x01\0\x01\x3f\0"s) + "\x7f\xfe";
  return jpeg + "\xff\xd9";
}

// The file's bytes past its head, counting the reads.
class Rest : public MoreBytes {
 public:
  explicit Rest(const std::string& file) : file_(file) {}
  std::ptrdiff_t ReadAt(std::uint64_t offset, std::span<char> buffer) override {
    ++reads;
    read += buffer.size();
    if (offset >= file_.size()) return 0;
    const std::string part = file_.substr(offset, buffer.size());
    std::copy(part.begin(), part.end(), buffer.begin());
    return static_cast<std::ptrdiff_t>(part.size());
  }
  int reads = 0;
  std::size_t read = 0;

 private:
  const std::string& file_;
};

// As the check reads a file: its size is known only when the head is all of it.
PictureInfo Probe(const std::string& name, const std::string& file) {
  Rest rest(file);
  const std::size_t head = std::min(file.size(), kProbeHeadSize);
  const std::uint64_t size = file.size() > head ? UINT64_MAX : file.size();
  return ProbePicture(name, size, {file.data(), head}, &rest);
}

const std::string kPng = Png(180, 180);
const std::string kJpeg = Jpeg(180, 180);
const std::string kGif = Gif(180, 180);

std::string Patched(std::string bytes, std::size_t at, std::string_view with) {
  return bytes.replace(at, with.size(), with);
}

TEST(ProbePicture, TellsFormatSizeAndFault) {
  struct Row {
    const char* name;
    std::string file;
    PictureFormat format;
    std::uint32_t width, height;
    std::string detail;  // of the fault, "" for none
    bool doubleExtension = false;
  };
  using F = PictureFormat;
  const Row rows[] = {
      {"a.png", kPng, F::Png, 180, 180, ""},
      {"b.PNG", Png(1, 1), F::Png, 1, 1, ""},
      {"c.png", Png(37, 300, 4), F::Png, 37, 300, ""},
      {"d.jpg", kJpeg, F::Jpeg, 180, 180, ""},
      {"e.jpg", Jpeg(1, 1), F::Jpeg, 1, 1, ""},
      {"f.jpg", Jpeg(250, 17), F::Jpeg, 250, 17, ""},
      {"g.jpg", WithExif(kJpeg, 30000), F::Jpeg, 180, 180, ""},
      {"h.gif", kGif, F::Gif, 180, 180, ""},
      {"i.gif", Gif(1, 1), F::Gif, 1, 1, ""},
      {"j.gif", Gif(64, 3), F::Gif, 64, 3, ""},
      // empty
      {"k.png", "", F::Unknown, 0, 0, "the file is empty"},
      // mismatch
      {"l.png", kJpeg, F::Jpeg, 180, 180, "the file is a JPEG picture"},
      {"m.gif", kPng, F::Png, 180, 180, "the file is a PNG picture"},
      {"n.jpg", kGif, F::Gif, 180, 180, "the file is a GIF picture"},
      {"o.png", "RIFF\x10\0\0\0WEBPVP8 "s, F::WebP, 0, 0, "the file is a WebP picture"},
      {"p.png",
       "BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x02\0\0\0\x03\0\0\0\x01\0\x18\0"s +
           std::string(24, '\0'),
       F::Bmp, 2, 3, "the file is a BMP picture"},
      {"q.jpg", "\0\0\1\0\1\0\x10\x10"s, F::Ico, 0, 0, "the file is an ICO picture"},
      {"r.png",
       "\0\0\0\x18"
       "ftypavif"s,
       F::Avif, 0, 0, "the file is an AVIF picture"},
      // broken
      {"s.png", kPng.substr(0, 20), F::Png, 0, 0, "the file ends inside its PNG header"},
      {"t.png", kPng.substr(0, 5), F::Png, 0, 0, "the file ends inside its PNG header"},
      {"u.jpg", WithExif(kJpeg, 30000).substr(0, 20000), F::Jpeg, 0, 0,
       "the file ends inside its JPEG header"},
      {"v.png", "<html>Not found</html>", F::Unknown, 0, 0,
       "the file does not start as a PNG picture does"},
      {"w.png", std::string(600, '\0'), F::Unknown, 0, 0,
       "the file does not start as a PNG picture does"},
      {"x.gif", Patched(kGif, 6, "\0\0"s), F::Gif, 0, 0, "the GIF header gives an impossible size"},
      {"y.png", Patched(kPng, 16, "\0\0\0\0"s), F::Png, 0, 0,
       "the PNG header gives an impossible size"},
      {"z.png", Patched(kPng, 25, "\x09"), F::Png, 0, 0, "the PNG header cannot be read"},
      // double extension, with or without another fault
      {"1234.png.png", kPng, F::Png, 180, 180, "", true},
      {"1234.JPG.png", kPng, F::Png, 180, 180, "", true},
      {"face.jpeg.jpg", "", F::Unknown, 0, 0, "the file is empty", true},
      {".png.png", kPng, F::Png, 180, 180, ""},
      {"png.png", kPng, F::Png, 180, 180, ""},
  };
  for (const Row& row : rows) {
    const PictureInfo info = Probe(row.name, row.file);
    EXPECT_EQ(info.Format(), row.format) << row.name;
    EXPECT_EQ(info.Width(), row.width) << row.name;
    EXPECT_EQ(info.Height(), row.height) << row.name;
    EXPECT_EQ(FaultDetail(row.name, info), row.detail) << row.name;
    EXPECT_EQ(info.DoubleExtension(), row.doubleExtension) << row.name;
    // The whole file at once gives the same.
    const PictureInfo whole = ProbePicture(row.name, row.file.size(), row.file);
    EXPECT_EQ(FaultDetail(row.name, whole), row.detail) << row.name;
  }
  EXPECT_EQ(DoubleExtensionDetail("1234.jpg.png"),
            "the record name would keep the inner extension: 1234.jpg");
  static_assert(sizeof(PictureInfo) == 8);
}

TEST(ProbePicture, FollowsJpegSegmentsInSmallReads) {
  const std::string file = WithExif(Jpeg(40, 30), 60000);
  Rest rest(file);
  const PictureInfo info = ProbePicture("a.jpg", file.size(), {file.data(), 512}, &rest);
  EXPECT_EQ(info.Width(), 40u);
  EXPECT_EQ(info.Height(), 30u);
  EXPECT_LE(rest.reads, 2);
  EXPECT_LT(rest.read, 10000u);

  // A file that shrank since its size was taken ends where its bytes do.
  const std::string cut = file.substr(0, 30000);
  Rest shrunk(cut);
  const PictureInfo gone = ProbePicture("a.jpg", file.size(), {cut.data(), 512}, &shrunk);
  EXPECT_EQ(FaultDetail("a.jpg", gone), "the file ends inside its JPEG header");
}

TEST(DecodePicture, FindsDamagePastTheHeader) {
  struct Row {
    const char* name;
    std::string file;
    std::string detail;
  };
  const Row rows[] = {
      {"a.png", kPng, ""},
      {"b.jpg", WithExif(kJpeg, 3000), ""},
      {"c.gif", kGif, ""},
      {"d.png", kPng.substr(0, kPng.size() * 2 / 3),
       "the PNG picture cannot be decoded past its header"},
      {"e.jpg", kJpeg.substr(0, kJpeg.size() * 2 / 3),
       "the JPEG picture cannot be decoded past its header"},
      {"f.gif", kGif.substr(0, kGif.size() * 2 / 3),
       "the GIF picture cannot be decoded past its header"},
      {"g.png", kPng.substr(0, 20), "the file ends inside its PNG header"},
      {"h.png", kJpeg, "the file is a JPEG picture"},
      // A Huffman table of 16 x 255 codes, which stb_image would write past.
      {"i.jpg",
       kJpeg.substr(0, 2) + "\xff\xc4\x00\x13\x00"s + std::string(16, '\xff') + kJpeg.substr(2),
       "the JPEG picture cannot be decoded past its header"},
      {"j.jpg", Progressive(64, 64, 40), ""},
      // Not given to the decoder, which would take a while.
      {"k.jpg", Progressive(64, 64, kMaxJpegScans),
       "the JPEG picture has too many scans (more than 1000, or more than 67108864 blocks in "
       "all): it was not decoded"},
      {"l.jpg", Patched(kJpeg, kJpeg.find("\xff\xc0") + 5, "\xff\xff\xff\xff"),
       "the JPEG picture is 65535x65535, too large to decode (more than 33554432 pixels): only "
       "its header was read"},
      {"m.gif", Patched(kGif, 6, "\xff\xff\xff\xff"),
       "the GIF picture is 65535x65535, too large to decode (more than 33554432 pixels): only its "
       "header was read"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FaultDetail(row.name, DecodePicture(row.name, row.file)), row.detail) << row.name;
  }
}

// The scans' budget, at its edges: their number, and the blocks they cover
// in all (a scan of a 4096x4096 grey picture covers 2^18 of them).
TEST(WalkJpeg, KeepsScansWithinTheirBudget) {
  const struct {
    std::string file;
    JpegWalk walk;
  } rows[] = {
      {kJpeg, JpegWalk::Sound},
      {Progressive(64, 64, kMaxJpegScans - 1), JpegWalk::Sound},
      {Progressive(64, 64, kMaxJpegScans), JpegWalk::TooManyScans},
      {Progressive(4096, 4096, 255), JpegWalk::Sound},
      {Progressive(4096, 4096, 256), JpegWalk::TooManyScans},
      {kJpeg.substr(0, 2) + "\xff\xc4\x00\x13\x00"s + std::string(16, '\xff') + kJpeg.substr(2),
       JpegWalk::BadTables},
  };
  for (const auto& row : rows) EXPECT_EQ(WalkJpeg(row.file), row.walk) << row.file.size();
}

std::vector<PictureInfo> Sizes(const std::vector<std::pair<int, int>>& sizes) {
  std::vector<PictureInfo> pictures(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i)
    pictures[i].SetSize(static_cast<std::uint32_t>(sizes[i].first),
                        static_cast<std::uint32_t>(sizes[i].second));
  return pictures;
}

TEST(UsualSize, IsTheSizeMoreThanHalfOfTheSizedPicturesShare) {
  // Unknown sizes (0x0) neither count nor differ.
  const auto pack = Sizes(
      {{180, 180}, {200, 250}, {180, 180}, {0, 0}, {0, 0}, {180, 180}, {250, 200}, {180, 180}});
  const UsualSize usual = FindUsualSize(pack);
  ASSERT_TRUE(usual.found);
  EXPECT_EQ(usual.sized, 6u);
  EXPECT_EQ(usual.differ, 2u);
  std::vector<bool> differs;
  for (const PictureInfo& p : pack) differs.push_back(usual.Differs(p));
  EXPECT_EQ(differs, (std::vector<bool>{false, true, false, false, false, false, true, false}));
  EXPECT_EQ(OddSizeDetail(pack[1], usual),
            "the picture is 200x250, the pack's usual size is 180x180");
  EXPECT_EQ(UsualSizeSummary(usual), "usual size 180x180, 2 pictures of another size");

  // Half is not most: no usual size, so no picture differs.
  const auto split = Sizes({{180, 180}, {200, 250}, {180, 180}, {200, 250}, {64, 64}});
  const UsualSize none = FindUsualSize(split);
  EXPECT_FALSE(none.found);
  for (const PictureInfo& p : split) EXPECT_FALSE(none.Differs(p));
  EXPECT_EQ(UsualSizeSummary(none), "no usual size");
  EXPECT_EQ(UsualSizeSummary(FindUsualSize(Sizes({{0, 0}}))), "");
}

}  // namespace
}  // namespace mapio::checker
