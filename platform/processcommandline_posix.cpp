#include "processcommandline.h"

#include "unicode.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform
{
namespace
{

bool isUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        if (decodeUtf8(text, pos) == kNoCharacter)
            return false;
    }
    return true;
}

// The character set of the user's LC_CTYPE, read without changing the process's own locale.
std::string localeCharset()
{
    const locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return "UTF-8";
    std::string charset = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    // The C locale's ASCII would refuse every name a UTF-8 shell hands over.
    if (charset.empty() || charset == "ANSI_X3.4-1968" || charset == "ASCII")
        return "UTF-8";
    return charset;
}

bool isUtf8Charset(const std::string &charset)
{
    return strcasecmp(charset.c_str(), "UTF-8") == 0 || strcasecmp(charset.c_str(), "utf8") == 0;
}

std::optional<std::string> convertToUtf8(std::string_view bytes, const std::string &charset)
{
    const iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(bytes.size() * 4 + 4, '\0');
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size(), outLeft = out.size();
    char *next = out.data();
    const bool done = iconv(cd, &in, &inLeft, &next, &outLeft) != std::size_t(-1) &&
                      iconv(cd, nullptr, nullptr, &next, &outLeft) != std::size_t(-1);
    iconv_close(cd);
    if (!done || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// One character's UTF-8 bytes in `charset`, or "?" where the set has none.
std::string fromUtf8Character(iconv_t cd, std::string_view character)
{
    char out[16];
    char *in = const_cast<char *>(character.data()), *next = out;
    std::size_t inLeft = character.size(), outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &next, &outLeft) == std::size_t(-1) || inLeft != 0)
        return "?";
    return std::string(out, sizeof out - outLeft);
}

} // namespace

std::string utf8ToOutputText(std::string_view text)
{
    static const std::string charset = localeCharset();
    if (isUtf8Charset(charset) ||
        std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }))
        return std::string(text);
    static const iconv_t cd = iconv_open(charset.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(text);
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = decodeUtf8(text, pos);
        const std::string_view bytes = text.substr(start, pos - start);
        if (c == kNoCharacter || c < 0x80)
            out.append(bytes);
        else
            out.append(fromUtf8Character(cd, bytes));
    }
    return out;
}

std::string processCommandLine(int argc, char **argv)
{
    std::string line;
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

std::optional<std::string> argumentTextToUtf8(std::string_view bytes)
{
    // Plain ASCII reads the same in every character set the C library offers.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
        return std::string(bytes);
    static const std::string charset = localeCharset();
    if (isUtf8Charset(charset)) {
        if (!isUtf8(bytes))
            return std::nullopt;
        return std::string(bytes);
    }
    return convertToUtf8(bytes, charset);
}

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

bool displayAvailable()
{
    // X11 and Wayland clients find their server through these variables.
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace platform
