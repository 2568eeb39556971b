// How the make job turns a file name into a record name and an ID.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mapio::writer {

// The part before the last ".", lower-cased; a name without "." unchanged.
std::string RecordName(std::string_view fileName);

// The number the text begins with, read as atoi reads it (leading white
// space, an optional sign, decimal digits; no digits give 0), as an unsigned
// 32-bit ID: negative numbers wrap (-5 gives 4294967291). nullopt when the
// number lies outside -2147483648..4294967295, so that no ID is ever cut.
std::optional<std::uint32_t> LeadingId(std::string_view text);

// Whether LeadingId finds any digits: after leading white space and a sign.
bool BeginsWithNumber(std::string_view text);

}  // namespace mapio::writer
