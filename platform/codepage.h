#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// The Windows ANSI code page of this user: the RAVO2_ANSI_CODEPAGE environment variable when set,
// else the code page that matches the locale's language as Wine maps it (ru → 1251, de → 1252).
unsigned ansiCodePage();

// The code page Wine gives a locale language code ("ru", "uk", "de", "ja"); 1252 when unknown.
unsigned codePageForLanguage(std::string_view language);

// UTF-8 text to the code page's bytes; nullopt when some character has no place in it or the
// text is not valid UTF-8.
std::optional<std::string> utf8ToCodePage(std::string_view utf8, unsigned codePage);

// The code page's bytes to UTF-8 text (bytes without a character map to U+FFFD).
std::string codePageToUtf8(std::string_view bytes, unsigned codePage);

} // namespace platform
