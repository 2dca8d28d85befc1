#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// The Windows ANSI code page of this user: the RAVO2_ANSI_CODEPAGE environment variable when set,
// else the code page that matches the locale's language as Wine maps it (ru → 1251, de → 1252).
unsigned ansiCodePage();

// True for the code pages Windows uses as ANSI code pages; 65001 writes UTF-8 without a mark,
// which Windows reads as ANSI.
constexpr bool isAnsiCodePage(unsigned codePage)
{
    return codePage == 874 || codePage == 932 || codePage == 936 || codePage == 949 ||
           codePage == 950 || (codePage >= 1250 && codePage <= 1258);
}

// The code page that desktop.ini text outside ASCII is written in.
struct IniCodePage {
    // nullopt: UTF-16LE with its byte-order mark, the one form every client reads alike (Linux,
    // where the server cannot know its clients, unless RAVO2_ANSI_CODEPAGE names one).
    std::optional<unsigned> codePage;
    std::string refused; // RAVO2_ANSI_CODEPAGE's value when it names no ANSI code page
};
IniCodePage iniCodePage();

// The code page Wine gives a locale language code ("ru", "uk", "de", "ja"); 1252 when unknown.
unsigned codePageForLanguage(std::string_view language);

// UTF-8 text to the code page's bytes; nullopt when some character has no place in it or the
// text is not valid UTF-8.
std::optional<std::string> utf8ToCodePage(std::string_view utf8, unsigned codePage);

// The code page's bytes to UTF-8 text (bytes without a character map to U+FFFD).
std::string codePageToUtf8(std::string_view bytes, unsigned codePage);

} // namespace platform
