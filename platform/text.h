// Text as the jobs take it: UTF-8, UTF-16 at the system's edge, old code pages, case folding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapio::platform {

// Space, tab, LF, VT, FF, CR. A byte of 128 or more is never white space.
inline bool IsSpaceByte(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Length of the UTF-8 sequence at `pos` of `text` with its code point in
// `codePoint`; 0 when the bytes there are no valid UTF-8. Strict: no
// overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t Utf8Length(std::string_view text, std::size_t pos, char32_t& codePoint);
bool IsValidUtf8(std::string_view text);
// Appends the UTF-8 bytes of a code point up to U+10FFFF.
void AppendUtf8(std::string& out, char32_t codePoint);
// Whether a file that begins with `head` is UTF-16: a byte order mark, or
// a NUL in every other byte of its first characters.
bool LooksLikeUtf16(std::string_view head);

// UTF-16 from the system as UTF-8. Windows names may hold a lone surrogate:
// it gets the three bytes UTF-8 would give its value (as WTF-8 does), so
// that ToUtf16 gives the same name back.
std::string FromUtf16(std::u16string_view text);
// UTF-8, and such lone surrogates, as UTF-16. Each byte that is neither
// becomes U+FFFD and makes the result false: no name on disk is spelt so.
bool ToUtf16(std::string_view text, std::u16string& out);

// The character of a byte in Windows-1252; the five bytes it leaves unused
// stand for the C1 controls of the same value.
char32_t Windows1252CodePoint(unsigned char byte);

// A name that older tools wrote in a single-byte code page, as UTF-8: on
// Windows the system's ANSI code page, elsewhere Windows-1252, the code
// page of most such files. For config.xml values that are not valid UTF-8.
std::string LegacyNameToUtf8(std::string_view bytes);

// Trailing white space first, then leading.
std::string_view Trim(std::string_view text);

// ASCII letters always; where the name is valid UTF-8, the Unicode simple
// lower-case mapping. Bytes of invalid UTF-8 stay as they are.
std::string LowerCaseName(std::string_view name);

// Case-insensitive key for looking names up (simple case folding).
std::string CaseFoldKey(std::string_view name);
// The same key appended to `out`: no allocation for an ASCII name.
void AppendCaseFoldKey(std::string_view name, std::string& out);

}  // namespace mapio::platform
