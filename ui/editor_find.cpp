#include "ui/editor_find.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace mapio::ui {
namespace {

// Stands for a byte that is not UTF-8: equal to no typed character.
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

char32_t Fold(char32_t c) {
  if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
  if (c == kNoCharacter) return c;
  std::string one;
  platform::AppendUtf8(one, c);
  const std::string folded = platform::CaseFoldKey(one);
  char32_t result = c;
  platform::Utf8Length(folded, 0, result);
  return result;
}

struct Unit {
  char32_t character;
  std::size_t length;
};

Unit UnitAt(std::string_view bytes, std::size_t at, TextEncoding encoding) {
  const auto byte = static_cast<unsigned char>(bytes[at]);
  if (byte < 0x80) return {byte, 1};
  if (encoding == TextEncoding::Windows1252) return {platform::Windows1252CodePoint(byte), 1};
  char32_t c = 0;
  const std::size_t length = platform::Utf8Length(bytes, at, c);
  return length == 0 ? Unit{kNoCharacter, 1} : Unit{c, length};
}

class Matcher {
 public:
  Matcher(std::string_view bytes, TextEncoding encoding, const FindRequest& request)
      : bytes_(bytes), encoding_(encoding), fold_(!request.matchCase) {
    for (std::size_t at = 0; at < request.text.size();) {
      const Unit unit = UnitAt(request.text, at, TextEncoding::Utf8);
      needle_.push_back(fold_ ? Fold(unit.character) : unit.character);
      at += unit.length;
    }
  }
  bool Empty() const { return needle_.empty(); }
  // The end of the match that starts at `at`, if one does.
  std::optional<std::size_t> MatchAt(std::size_t at) const {
    for (const char32_t wanted : needle_) {
      if (at >= bytes_.size()) return std::nullopt;
      const Unit unit = UnitAt(bytes_, at, encoding_);
      if ((fold_ ? Fold(unit.character) : unit.character) != wanted) return std::nullopt;
      at += unit.length;
    }
    return at;
  }
  // The first match starting in [from, to), or the last one.
  std::optional<TextRange> Scan(std::size_t from, std::size_t to, bool last) const {
    std::optional<TextRange> found;
    for (std::size_t at = from; at < to; at += UnitAt(bytes_, at, encoding_).length) {
      if (const std::optional<std::size_t> end = MatchAt(at)) {
        found = TextRange{at, *end};
        if (!last) break;
      }
    }
    return found;
  }

 private:
  std::string_view bytes_;
  TextEncoding encoding_;
  bool fold_;
  std::vector<char32_t> needle_;
};

}  // namespace

std::string NotFoundText(std::string_view needle) {
  return "Cannot find \"" + std::string(needle) + "\"";
}

std::string LineOutOfRangeText(std::size_t lineCount) {
  return "Type a line number from 1 to " + std::to_string(lineCount) + ".";
}

std::optional<TextRange> FindText(std::string_view bytes, TextEncoding encoding,
                                  const FindRequest& request, std::size_t from) {
  const Matcher matcher(bytes, encoding, request);
  if (matcher.Empty()) return std::nullopt;
  from = std::min(from, bytes.size());
  if (request.direction == FindDirection::Next) {
    if (auto found = matcher.Scan(from, bytes.size(), false)) return found;
    return matcher.Scan(0, from, false);
  }
  if (auto found = matcher.Scan(0, from, true)) return found;
  return matcher.Scan(from, bytes.size(), true);
}

std::optional<std::size_t> ParseLineNumber(std::string_view typed, std::size_t lineCount) {
  typed = platform::Trim(typed);
  if (typed.empty() || typed.size() > 18) return std::nullopt;
  std::uint64_t line = 0;  // 18 digits fit
  for (const char c : typed) {
    if (c < '0' || c > '9') return std::nullopt;
    line = line * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (line == 0 || line > lineCount) return std::nullopt;
  return static_cast<std::size_t>(line);
}

}  // namespace mapio::ui
