#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The one UTF-8 / UTF-16 codec: text inside the program is UTF-8; files, BSTRs and Win32 calls
// sometimes want UTF-16.
namespace platform
{

inline constexpr char32_t kNoCharacter = 0xFFFFFFFF;      // what an ill-formed sequence decodes to
inline constexpr char32_t kReplacementCharacter = 0xFFFD; // stands for what could not be read

// Decodes the character at `pos` and advances past it; kNoCharacter, with one byte consumed, when
// the bytes there are not well-formed UTF-8 (overlong forms, surrogates, values past U+10FFFF).
char32_t decodeUtf8(std::string_view text, std::size_t &pos);
void appendUtf8(std::string &out, char32_t c); // a valid code point

// UTF-8 to UTF-16; each malformed byte becomes U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

} // namespace platform
