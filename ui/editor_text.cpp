#include "ui/editor_text.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/platform.h"

namespace mapio::ui {
namespace {

constexpr char32_t kNulMark = 0x2400;
constexpr char32_t kBareLfMark = 0x240A;
constexpr char32_t kCrMark = 0x240D;
constexpr char32_t kEscape = 0xF8FF;
// Block marks of text boxes and their stand-ins.
constexpr std::array<std::pair<char32_t, char32_t>, 3> kBlockMarks{
    {{0x2029, 0xF8F0}, {0xFDD0, 0xF8F1}, {0xFDD1, 0xF8F2}}};

bool IsPlain(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x80 && b != 0 && b != '\r' && b != '\n';
}

bool IsStandIn(char32_t c) {
  if (c == kNulMark || c == kBareLfMark || c == kCrMark || c == kEscape) return true;
  for (const auto& [mark, standIn] : kBlockMarks) {
    if (c == standIn) return true;
  }
  return false;
}

// Reads the code points of the file in its encoding.
class CodePoints {
 public:
  CodePoints(std::string_view bytes, TextEncoding encoding) : bytes_(bytes), encoding_(encoding) {}
  bool Done() const { return pos_ >= bytes_.size(); }
  char32_t Next() {
    const unsigned char b = static_cast<unsigned char>(bytes_[pos_]);
    if (encoding_ == TextEncoding::Windows1252 || b < 0x80) {
      ++pos_;
      return platform::Windows1252CodePoint(b);
    }
    char32_t c = 0;
    pos_ += platform::Utf8Length(bytes_, pos_, c);  // the text is valid
    return c;
  }
  bool NextIs(char c) const { return pos_ < bytes_.size() && bytes_[pos_] == c; }
  void Skip() { ++pos_; }
  // The bytes from here that stand for themselves (ASCII but NUL, CR and
  // LF), taken at once.
  std::string_view TakePlain() {
    const std::size_t from = pos_;
    while (pos_ < bytes_.size() && IsPlain(bytes_[pos_])) ++pos_;
    return bytes_.substr(from, pos_ - from);
  }

 private:
  std::string_view bytes_;
  TextEncoding encoding_;
  std::size_t pos_ = 0;
};

LineEnd MajorityLineEnd(std::string_view bytes) {
  std::size_t crLf = 0;
  std::size_t lf = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    if (i > 0 && bytes[i - 1] == '\r') {
      ++crLf;
    } else {
      ++lf;
    }
  }
  if (crLf == lf) return NativeLineEnd();
  return crLf > lf ? LineEnd::CrLf : LineEnd::Lf;
}

void AppendShown(std::string& out, char32_t c) {
  if (c == 0) {
    platform::AppendUtf8(out, kNulMark);
    return;
  }
  for (const auto& [mark, standIn] : kBlockMarks) {
    if (c == mark) {
      platform::AppendUtf8(out, standIn);
      return;
    }
  }
  if (IsStandIn(c)) platform::AppendUtf8(out, kEscape);
  platform::AppendUtf8(out, c);
}

// Reads the editor's UTF-8 text; a byte that is not valid UTF-8 (the editor
// never hands one back) passes as a raw byte.
class DisplayReader {
 public:
  explicit DisplayReader(std::string_view text) : text_(text) {}
  bool Done() const { return pos_ >= text_.size(); }
  char32_t Next() {
    char32_t c = 0;
    const std::size_t length = platform::Utf8Length(text_, pos_, c);
    raw_ = length == 0;
    if (raw_) c = static_cast<unsigned char>(text_[pos_]);
    pos_ += raw_ ? 1 : length;
    return c;
  }
  // The next code point, 0 at the end.
  char32_t Peek() const {
    if (Done()) return 0;
    char32_t c = 0;
    return platform::Utf8Length(text_, pos_, c) == 0 ? 0 : c;
  }
  bool WasRawByte() const { return raw_; }
  // As CodePoints::TakePlain; every encoding stores these bytes as they are.
  std::string_view TakePlain() {
    const std::size_t from = pos_;
    while (pos_ < text_.size() && IsPlain(text_[pos_])) ++pos_;
    raw_ = false;
    return text_.substr(from, pos_ - from);
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool raw_ = false;
};

// The file's character behind a stand-in; other characters are themselves.
char32_t Original(char32_t c) {
  if (c == kNulMark) return 0;
  if (c == kCrMark) return '\r';
  for (const auto& [mark, standIn] : kBlockMarks) {
    if (c == standIn) return mark;
  }
  return c;
}

bool AppendCp1252(std::string& out, char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    out += static_cast<char>(c);
    return true;
  }
  for (unsigned byte = 0x80; byte < 0xA0; ++byte) {
    if (platform::Windows1252CodePoint(static_cast<unsigned char>(byte)) == c) {
      out += static_cast<char>(byte);
      return true;
    }
  }
  return false;
}

bool AppendEncoded(std::string& out, char32_t c, bool rawByte, TextEncoding encoding) {
  if (rawByte) {
    out += static_cast<char>(c);
    return true;
  }
  if (encoding == TextEncoding::Windows1252) return AppendCp1252(out, c);
  platform::AppendUtf8(out, c);
  return true;
}

}  // namespace

LineEnd NativeLineEnd() {
#ifdef _WIN32
  return LineEnd::CrLf;
#else
  return LineEnd::Lf;
#endif
}

DisplayPieces DecodeForDisplayInPieces(std::string_view fileBytes, std::size_t pieceBytes) {
  DisplayPieces shown;
  shown.format.encoding =
      platform::IsValidUtf8(fileBytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
  shown.format.lineEnd = MajorityLineEnd(fileBytes);
  const bool crLfFile = shown.format.lineEnd == LineEnd::CrLf;
  // Room for a few marks; text past the piece's size starts a new piece at
  // the next line end.
  const std::size_t room = std::min(fileBytes.size(), pieceBytes);
  std::string piece;
  piece.reserve(room + room / 8);
  CodePoints points(fileBytes, shown.format.encoding);
  while (!points.Done()) {
    piece += points.TakePlain();
    if (points.Done()) break;
    const char32_t c = points.Next();
    if (c == '\r' && crLfFile && points.NextIs('\n')) {
      points.Skip();
      piece += '\n';
    } else if (c == '\r') {
      platform::AppendUtf8(piece, kCrMark);
      continue;
    } else if (c == '\n') {
      if (crLfFile) platform::AppendUtf8(piece, kBareLfMark);
      piece += '\n';
    } else {
      AppendShown(piece, c);
      continue;
    }
    if (piece.size() >= pieceBytes && !points.Done()) {
      shown.pieces.push_back(std::move(piece));
      piece = std::string();
      piece.reserve(room + room / 8);
    }
  }
  if (!piece.empty() || shown.pieces.empty()) shown.pieces.push_back(std::move(piece));
  return shown;
}

DisplayText DecodeForDisplay(std::string_view fileBytes) {
  DisplayPieces pieces = DecodeForDisplayInPieces(fileBytes, SIZE_MAX);
  return {std::move(pieces.pieces.front()), pieces.format};
}

std::optional<std::string> EncodeForSaving(std::string_view text, const TextFormat& format) {
  std::string out;
  out.reserve(text.size() + (format.lineEnd == LineEnd::CrLf ? text.size() / 16 : 0));
  DisplayReader reader(text);
  while (!reader.Done()) {
    out += reader.TakePlain();
    if (reader.Done()) break;
    const char32_t c = reader.Next();
    if (c == '\n') {
      if (format.lineEnd == LineEnd::CrLf) out += '\r';
      out += '\n';
      continue;
    }
    char32_t original = c;
    if (c == kEscape && IsStandIn(reader.Peek())) {
      original = reader.Next();
    } else if (c == kBareLfMark && reader.Peek() == '\n') {
      original = reader.Next();
    } else {
      original = Original(c);
    }
    if (!AppendEncoded(out, original, reader.WasRawByte(), format.encoding)) return std::nullopt;
  }
  return out;
}

std::size_t DisplayLineOf(std::string_view fileBytes, std::size_t line) {
  std::size_t fileLine = 1;
  std::size_t shownLine = 1;
  for (std::size_t i = 0; i < fileBytes.size() && fileLine < line; ++i) {
    if (fileBytes[i] == '\n') {
      ++fileLine;
      ++shownLine;
    } else if (fileBytes[i] == '\r' && (i + 1 == fileBytes.size() || fileBytes[i + 1] != '\n')) {
      ++fileLine;
    }
  }
  return shownLine;
}

}  // namespace mapio::ui
