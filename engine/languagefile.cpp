#include "languagefile.h"

#include "utf8.h"

#include "platform/attributes.h"
#include "platform/codepage.h"

#include <charconv>

namespace engine
{

namespace
{

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            result.emplace_back(text.substr(start));
            break;
        }
        result.emplace_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    return result;
}

} // namespace

std::vector<std::string> LanguageFile::lines(std::string_view bytes, unsigned codePage)
{
    if (utf8::isValid(bytes))
        return splitLines(bytes);
    return splitLines(platform::codePageToUtf8(bytes, codePage));
}

bool LanguageFile::isLanguageFileName(std::string_view fileName)
{
    constexpr std::string_view suffix = ".lng";
    if (fileName.empty() || fileName.front() == '.' || fileName.size() <= suffix.size())
        return false;
    const std::string_view tail = fileName.substr(fileName.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char c = tail[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != suffix[i])
            return false;
    }
    return true;
}

bool LanguageFile::isListedAttributes(std::uint32_t attributes)
{
    if (attributes == platform::kInvalidAttributes)
        return false;
    constexpr std::uint32_t refused =
        platform::kAttrDirectory | platform::kAttrHidden | platform::kAttrSystem;
    return (attributes & refused) == 0;
}

std::optional<int> LanguageFile::storedIndex(std::string_view stored, int count)
{
    if (!stored.empty() && stored.front() == '+')
        stored.remove_prefix(1);
    long long position = 0;
    const auto [end, error] =
        std::from_chars(stored.data(), stored.data() + stored.size(), position);
    if (error != std::errc() || end != stored.data() + stored.size() || stored.empty())
        return std::nullopt;
    if (position < 0 || position >= count)
        return std::nullopt;
    return static_cast<int>(position);
}

} // namespace engine
