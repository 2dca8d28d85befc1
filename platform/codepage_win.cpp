#include "codepage.h"

#include "win32text_win.h"

#include <windows.h>

#include <charconv>
#include <cstdlib>

namespace platform
{

namespace
{

constexpr unsigned kWesternCodePage = 1252;
constexpr wchar_t kReplacement = 0xFFFD;

std::optional<unsigned> codePageFromText(const char *text)
{
    unsigned value = 0;
    const char *end = text + std::char_traits<char>::length(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || text == end || !IsValidCodePage(value))
        return std::nullopt;
    return value;
}

// "ru_RU.UTF-8", "sr@latin" or "zh-TW" as a locale name LCIDs know: "ru-RU", "sr-Latn", "zh-TW".
std::wstring localeName(std::string_view language)
{
    const std::size_t at = language.find('@');
    const bool latin = at != std::string_view::npos && language.substr(at + 1) == "latin";
    language = language.substr(0, language.find_first_of(".@"));
    std::wstring name(language.begin(), language.end());
    for (wchar_t &c : name)
        c = c == L'_' ? L'-' : c;
    if (latin)
        name.insert(name.find(L'-') == std::wstring::npos ? name.size() : name.find(L'-'),
                    L"-Latn");
    return name;
}

// The Windows code pages leave some bytes undefined; their tables turn them into C1 controls.
bool leavesBytesUndefined(unsigned codePage)
{
    return codePage == 874 || (codePage >= 1250 && codePage <= 1258);
}

// Decodes one character at a time so that a byte without a character costs only itself.
std::wstring decodeEach(std::string_view bytes, unsigned codePage)
{
    std::wstring wide;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const bool lead = IsDBCSLeadByteEx(codePage, BYTE(bytes[i])) && i + 1 < bytes.size();
        const int length = lead ? 2 : 1;
        wchar_t out[2] = {};
        const int got =
            MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data() + i, length, out, 2);
        if (got > 0) {
            wide.append(out, std::size_t(got));
            i += std::size_t(length);
        } else {
            wide += kReplacement;
            ++i;
        }
    }
    return wide;
}

} // namespace

unsigned codePageForLanguage(std::string_view language)
{
    const std::wstring name = localeName(language);
    DWORD codePage = 0;
    if (name.empty() ||
        !GetLocaleInfoEx(name.c_str(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)))
        return kWesternCodePage;
    // Locales written only in Unicode have no ANSI code page (0).
    return codePage == 0 ? kWesternCodePage : unsigned(codePage);
}

unsigned ansiCodePage()
{
    if (const char *forced = std::getenv("RAVO2_ANSI_CODEPAGE")) {
        if (const auto codePage = codePageFromText(forced))
            return *codePage;
    }
    return GetACP();
}

IniCodePage iniCodePage()
{
    const char *forced = std::getenv("RAVO2_ANSI_CODEPAGE");
    if (forced == nullptr || *forced == '\0')
        return {GetACP(), {}};
    const auto codePage = codePageFromText(forced);
    if (!codePage || !isAnsiCodePage(*codePage))
        return {GetACP(), forced};
    return {codePage, {}};
}

std::optional<std::string> utf8ToCodePage(std::string_view utf8, unsigned codePage)
{
    const std::optional<std::wstring> wide = win32::toWide(utf8);
    if (!wide)
        return std::nullopt;
    if (codePage == CP_UTF8)
        return std::string(utf8);
    if (wide->empty())
        return std::string();
    // No best-fit letters ("α" → "a"): a character the code page lacks fails the whole text.
    BOOL usedDefault = FALSE;
    const int size = int(wide->size());
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide->data(), size,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(std::size_t(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide->data(), size, bytes.data(), length,
                        nullptr, &usedDefault);
    return bytes;
}

std::string codePageToUtf8(std::string_view bytes, unsigned codePage)
{
    if (bytes.empty())
        return {};
    if (!IsValidCodePage(codePage))
        codePage = kWesternCodePage;
    const int size = int(bytes.size());
    std::wstring wide;
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length > 0) {
        wide.resize(std::size_t(length));
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(),
                            length);
    } else if (codePage == CP_UTF8) {
        wide.resize(bytes.size()); // without the error flag, bad UTF-8 becomes U+FFFD
        wide.resize(std::size_t(
            MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, wide.data(), int(wide.size()))));
    } else {
        wide = decodeEach(bytes, codePage);
    }
    if (leavesBytesUndefined(codePage)) {
        for (std::size_t i = 0; i < wide.size(); ++i)
            if (wide[i] >= 0x80 && wide[i] <= 0x9F)
                wide[i] = kReplacement;
    }
    return win32::toUtf8(wide);
}

} // namespace platform
