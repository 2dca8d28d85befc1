#include "utf8.h"

#include "platform/unicode.h"

namespace engine::utf8
{
namespace
{

using platform::decodeUtf8;
using platform::kNoCharacter;

void appendUnit(std::string &out, char16_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

} // namespace

bool isValid(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        if (decodeUtf8(text, pos) == kNoCharacter)
            return false;
    }
    return true;
}

std::string sanitized(std::string_view text)
{
    if (isValid(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = decodeUtf8(text, pos);
        platform::appendUtf8(out, c == kNoCharacter ? platform::kReplacementCharacter : c);
    }
    return out;
}

std::string fromUtf16Le(std::string_view bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    std::string out = platform::utf16ToUtf8(units);
    if (bytes.size() % 2 != 0)
        platform::appendUtf8(out, platform::kReplacementCharacter);
    return out;
}

std::optional<std::string> toUtf16Le(std::string_view text)
{
    if (!isValid(text))
        return std::nullopt;
    std::string out;
    out.reserve(2 * text.size());
    for (char16_t unit : platform::utf8ToUtf16(text))
        appendUnit(out, unit);
    return out;
}

std::string_view afterCharacters(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count; ++n) {
        if (pos >= text.size())
            return {};
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return text.substr(pos);
}

} // namespace engine::utf8
