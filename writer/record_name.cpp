#include "writer/record_name.h"

#include "platform/text.h"

namespace mapio::writer {

std::string RecordName(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return std::string(fileName);
  return platform::LowerCaseName(fileName.substr(0, dot));
}

namespace {

// Where the digits of the text's leading number start; `negative` tells its sign.
std::size_t DigitsStart(std::string_view text, bool& negative) {
  std::size_t i = 0;
  while (i < text.size() && platform::IsSpaceByte(static_cast<unsigned char>(text[i]))) ++i;
  negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  return i;
}

}  // namespace

bool BeginsWithNumber(std::string_view text) {
  bool negative = false;
  const std::size_t i = DigitsStart(text, negative);
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

std::optional<std::uint32_t> LeadingId(std::string_view text) {
  constexpr std::uint64_t kMaxPositive = 4294967295u;
  constexpr std::uint64_t kMaxNegative = 2147483648u;
  bool negative = false;
  std::size_t i = DigitsStart(text, negative);
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (value > kMaxPositive) return std::nullopt;  // stops long before 64 bits overflow
  }
  if (negative && value > kMaxNegative) return std::nullopt;
  const auto id = static_cast<std::uint32_t>(value);
  return negative ? static_cast<std::uint32_t>(0u - id) : id;
}

}  // namespace mapio::writer
