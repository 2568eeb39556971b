// Renders res/mapio.svg into the icon files the program ships:
//   make_ico <svg> <out.ico> <out.png>
//   make_ico --png <size> <svg> <out.png>
// The .ico holds six images in the order Windows picks from: 32 and 16
// pixels at 4 bits per pixel, at 8 bits and at 24 bits; the .png (256
// pixels) is the icon of the Qt front end. The second form renders one
// square .png of the given size, for the icon theme of the Linux package.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

QImage Render(QSvgRenderer& svg, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  return image;
}

// The sixteen colours of the standard Windows palette.
QList<QRgb> WindowsPalette16() {
  return {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
          0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
          0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
}

// Opaque pixels keep their colour, transparent ones turn black so that the
// AND mask can cut them out.
QImage Flatten(const QImage& image) {
  QImage flat = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) < 128) flat.setPixel(x, y, 0xFF000000);
    }
  }
  return flat;
}

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

void PutPixels(Bytes& out, const QImage& source, int bits) {
  const QImage flat = Flatten(source);
  QImage indexed;
  if (bits == 4) {
    indexed = flat.convertToFormat(QImage::Format_Indexed8, WindowsPalette16(),
                                   Qt::ThresholdDither | Qt::AvoidDither);
  } else if (bits == 8) {
    indexed = flat.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
  }
  if (bits <= 8) {
    const int colours = 1 << bits;
    for (int i = 0; i < colours; ++i) {
      const QRgb c = i < indexed.colorCount() ? indexed.color(i) : 0;
      out.insert(out.end(),
                 {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
                  static_cast<std::uint8_t>(qRed(c)), 0});
    }
  }
  const int w = source.width();
  for (int y = source.height() - 1; y >= 0; --y) {  // bottom-up
    Bytes row(RowBytes(w, bits), 0);
    for (int x = 0; x < w; ++x) {
      if (bits == 24) {
        const QRgb c = flat.pixel(x, y);
        row[3 * x] = static_cast<std::uint8_t>(qBlue(c));
        row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
        row[3 * x + 2] = static_cast<std::uint8_t>(qRed(c));
      } else if (bits == 8) {
        row[x] = static_cast<std::uint8_t>(indexed.pixelIndex(x, y));
      } else {
        row[x / 2] |= static_cast<std::uint8_t>(indexed.pixelIndex(x, y) << (x % 2 ? 0 : 4));
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

void PutMask(Bytes& out, const QImage& source) {
  const int w = source.width();
  for (int y = source.height() - 1; y >= 0; --y) {
    Bytes row(RowBytes(w, 1), 0);
    for (int x = 0; x < w; ++x) {
      if (qAlpha(source.pixel(x, y)) < 128)
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

// One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask.
Bytes IconImage(const QImage& source, int bits) {
  const int size = source.width();
  Bytes out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(2 * size));  // colour bits and mask
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>((RowBytes(size, bits) + RowBytes(size, 1)) * size));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  PutPixels(out, source, bits);
  PutMask(out, source);
  return out;
}

struct Entry {
  int size;
  int bits;
};

// The picture's colours moved onto the sixteen-colour palette, which would
// otherwise take the green and the orange for greys.
QByteArray SixteenColourSvg(QByteArray svg) {
  const char* const pairs[][2] = {{"#1d3557", "#000080"},
                                  {"#43a047", "#008000"},
                                  {"#66bb6a", "#00ff00"},
                                  {"#f4a261", "#ffff00"},
                                  {"#111111", "#000000"}};
  for (const auto& pair : pairs) svg.replace(pair[0], pair[1]);
  return svg;
}

Bytes MakeIco(const QByteArray& source) {
  QSvgRenderer svg(source);
  QSvgRenderer svg16(SixteenColourSvg(source));
  const Entry entries[] = {{32, 4}, {16, 4}, {32, 8}, {16, 8}, {32, 24}, {16, 24}};
  std::vector<Bytes> images;
  for (const Entry& e : entries) {
    images.push_back(IconImage(Render(e.bits == 4 ? svg16 : svg, e.size), e.bits));
  }
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(entries[i].size));
    out.push_back(static_cast<std::uint8_t>(entries[i].size));
    out.push_back(static_cast<std::uint8_t>(entries[i].bits == 4 ? 16 : 0));
    out.push_back(0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(entries[i].bits));
    Put32(out, static_cast<std::uint32_t>(images[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

QByteArray ReadSvg(const char* path) {
  QFile file(QString::fromLocal8Bit(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SavePng(QSvgRenderer& svg, int size, const char* path) {
  if (Render(svg, size).save(QString::fromLocal8Bit(path), "PNG")) return true;
  std::fprintf(stderr, "make_ico: cannot write %s\n", path);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const bool pngOnly = argc == 5 && std::strcmp(argv[1], "--png") == 0;
  const int size = pngOnly ? std::atoi(argv[2]) : 256;
  if ((argc != 4 && !pngOnly) || size < 1 || size > 1024) {
    std::fprintf(stderr,
                 "usage: make_ico <icon.svg> <out.ico> <out.png>\n"
                 "       make_ico --png <size> <icon.svg> <out.png>\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const char* svgPath = argv[pngOnly ? 3 : 1];
  const QByteArray source = ReadSvg(svgPath);
  QSvgRenderer svg(source);
  if (!svg.isValid()) {
    std::fprintf(stderr, "make_ico: cannot read %s\n", svgPath);
    return 1;
  }
  if (pngOnly) return SavePng(svg, size, argv[4]) ? 0 : 1;
  const Bytes ico = MakeIco(source);
  QFile icoFile(QString::fromLocal8Bit(argv[2]));
  if (!icoFile.open(QIODevice::WriteOnly) ||
      icoFile.write(reinterpret_cast<const char*>(ico.data()), static_cast<qint64>(ico.size())) !=
          static_cast<qint64>(ico.size())) {
    std::fprintf(stderr, "make_ico: cannot write %s\n", argv[2]);
    return 1;
  }
  return SavePng(svg, 256, argv[3]) ? 0 : 1;
}
