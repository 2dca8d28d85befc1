#include "codepage.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <iconv.h>
#include <map>
#include <utility>
#include <vector>

namespace platform
{

namespace
{

constexpr unsigned kWesternCodePage = 1252;
constexpr unsigned kUtf8CodePage = 65001;
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

struct LanguageCodePage {
    const char *language;
    unsigned codePage;
};

// Default ANSI code pages of Wine's locales, by language; the rest use 1252.
constexpr std::array<LanguageCodePage, 37> kLanguageCodePages{{
    {"cs", 1250}, {"hu", 1250}, {"pl", 1250},  {"ro", 1250}, {"hr", 1250}, {"sk", 1250},
    {"sl", 1250}, {"sq", 1250}, {"bs", 1250},  {"sr", 1251}, {"ru", 1251}, {"uk", 1251},
    {"be", 1251}, {"bg", 1251}, {"mk", 1251},  {"kk", 1251}, {"ky", 1251}, {"tt", 1251},
    {"mn", 1251}, {"ba", 1251}, {"sah", 1251}, {"uz", 1254}, {"el", 1253}, {"tr", 1254},
    {"az", 1254}, {"he", 1255}, {"ar", 1256},  {"fa", 1256}, {"ur", 1256}, {"et", 1257},
    {"lv", 1257}, {"lt", 1257}, {"vi", 1258},  {"th", 874},  {"ja", 932},  {"zh", 936},
    {"ko", 949},
}};

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return result;
}

// "sr_RS.UTF-8@latin" or "zh-Hant-TW" as lower-case parts: language first, then region,
// script, code set and modifier in the order they appear.
std::vector<std::string> splitLocale(std::string_view locale)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(locale.find_first_of("_-.@", start), locale.size());
        parts.push_back(lowered(locale.substr(start, end - start)));
        if (end == locale.size())
            return parts;
        start = end + 1;
    }
}

bool hasPart(const std::vector<std::string> &parts, std::initializer_list<std::string_view> wanted)
{
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (std::find(wanted.begin(), wanted.end(), parts[i]) != wanted.end())
            return true;
    return false;
}

// Script or region variants whose code page differs from their language's usual one.
std::optional<unsigned> variantCodePage(const std::vector<std::string> &parts)
{
    const std::string &language = parts.front();
    if (language == "sr" && hasPart(parts, {"latin", "latn"}))
        return 1250;
    if ((language == "uz" || language == "az") && hasPart(parts, {"cyrillic", "cyrl"}))
        return 1251;
    if (language == "zh" && hasPart(parts, {"tw", "hk", "mo", "hant"}))
        return 950;
    return std::nullopt;
}

const char *localeFromEnvironment()
{
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char *value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return nullptr;
}

std::string iconvName(unsigned codePage)
{
    return codePage == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(codePage);
}

// Opened iconv descriptors, kept per thread because a descriptor carries conversion state.
class ConverterCache
{
public:
    ~ConverterCache()
    {
        for (auto &[key, converter] : m_converters)
            if (converter != kNoConverter)
                iconv_close(converter);
    }

    // The descriptor from UTF-8 to the code page (toCodePage) or back; kNoConverter when unknown.
    iconv_t get(unsigned codePage, bool toCodePage)
    {
        const auto key = std::make_pair(codePage, toCodePage);
        auto found = m_converters.find(key);
        if (found == m_converters.end()) {
            const std::string name = iconvName(codePage);
            const iconv_t converter =
                toCodePage ? iconv_open(name.c_str(), "UTF-8") : iconv_open("UTF-8", name.c_str());
            found = m_converters.emplace(key, converter).first;
        }
        if (found->second != kNoConverter)
            iconv(found->second, nullptr, nullptr, nullptr, nullptr);
        return found->second;
    }

private:
    std::map<std::pair<unsigned, bool>, iconv_t> m_converters; // (code page, to it) → descriptor
};

iconv_t converter(unsigned codePage, bool toCodePage)
{
    thread_local ConverterCache cache;
    return cache.get(codePage, toCodePage);
}

std::optional<unsigned> codePageFromText(const char *text)
{
    unsigned value = 0;
    const char *end = text + std::char_traits<char>::length(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || text == end)
        return std::nullopt;
    if (converter(value, true) == kNoConverter)
        return std::nullopt;
    return value;
}

} // namespace

unsigned codePageForLanguage(std::string_view language)
{
    const std::vector<std::string> parts = splitLocale(language);
    if (const auto variant = variantCodePage(parts))
        return *variant;
    for (const LanguageCodePage &entry : kLanguageCodePages)
        if (parts.front() == entry.language)
            return entry.codePage;
    return kWesternCodePage;
}

unsigned ansiCodePage()
{
    if (const char *forced = std::getenv("RAVO2_ANSI_CODEPAGE")) {
        if (const auto codePage = codePageFromText(forced))
            return *codePage;
    }
    const char *locale = localeFromEnvironment();
    if (locale == nullptr)
        return kWesternCodePage;
    return codePageForLanguage(locale);
}

IniCodePage iniCodePage()
{
    const char *forced = std::getenv("RAVO2_ANSI_CODEPAGE");
    if (forced == nullptr || *forced == '\0')
        return {};
    const auto codePage = codePageFromText(forced);
    if (!codePage || !isAnsiCodePage(*codePage))
        return {std::nullopt, forced};
    return {codePage, {}};
}

std::optional<std::string> utf8ToCodePage(std::string_view utf8, unsigned codePage)
{
    const iconv_t cd = converter(codePage, true);
    if (cd == kNoConverter)
        return std::nullopt;
    std::string out(utf8.size() * 2 + 8, '\0'); // no Windows code page needs more than 2 bytes
    char *in = const_cast<char *>(utf8.data());
    std::size_t inLeft = utf8.size();
    char *next = out.data();
    std::size_t outLeft = out.size();
    // Stops on a character the code page lacks (EILSEQ) or a cut sequence at the end (EINVAL).
    if (iconv(cd, &in, &inLeft, &next, &outLeft) == std::size_t(-1))
        return std::nullopt;
    if (iconv(cd, nullptr, nullptr, &next, &outLeft) == std::size_t(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string codePageToUtf8(std::string_view bytes, unsigned codePage)
{
    iconv_t cd = converter(codePage, false);
    if (cd == kNoConverter)
        cd = converter(kWesternCodePage, false);
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
    std::string out(bytes.size() * 3 + 8, '\0');
    std::size_t used = 0;
    char *in = const_cast<char *>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char *next = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = iconv(cd, &in, &inLeft, &next, &outLeft);
        used = out.size() - outLeft;
        if (result != std::size_t(-1))
            break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // A byte without a character (EILSEQ) or a cut double-byte character at the end (EINVAL).
        if (out.size() - used < kReplacement.size())
            out.resize(out.size() * 2);
        out.replace(used, kReplacement.size(), kReplacement);
        used += kReplacement.size();
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

} // namespace platform
