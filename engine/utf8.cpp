#include "utf8.h"

#include <cstdint>

namespace engine::utf8
{
namespace
{

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kInvalid = 0xFFFFFFFF;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Decodes the character at `pos`, advancing it; kInvalid (and one byte consumed) when ill-formed.
char32_t decodeAt(std::string_view text, std::size_t &pos)
{
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80)
        return lead;
    std::size_t extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, value = lead & 0x07, minimum = 0x10000;
    } else {
        return kInvalid;
    }
    if (text.size() - pos < extra)
        return kInvalid;
    for (std::size_t i = 0; i < extra; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte))
            return kInvalid;
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kInvalid;
    pos += extra;
    return value;
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUnit(std::string &out, std::uint16_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}

std::uint16_t unitAt(std::string_view bytes, std::size_t index)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * index]) |
                                      (static_cast<unsigned char>(bytes[2 * index + 1]) << 8));
}

} // namespace

bool isValid(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        if (decodeAt(text, pos) == kInvalid)
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
        const char32_t c = decodeAt(text, pos);
        appendUtf8(out, c == kInvalid ? kReplacement : c);
    }
    return out;
}

std::string fromUtf16Le(std::string_view bytes)
{
    const std::size_t units = bytes.size() / 2;
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t unit = unitAt(bytes, i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const std::uint16_t low = unitAt(bytes, i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        appendUtf8(out, surrogate ? kReplacement : unit);
    }
    if (bytes.size() % 2 != 0)
        appendUtf8(out, kReplacement);
    return out;
}

std::optional<std::string> toUtf16Le(std::string_view text)
{
    std::string out;
    out.reserve(2 * text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = decodeAt(text, pos);
        if (c == kInvalid)
            return std::nullopt;
        if (c < 0x10000) {
            appendUnit(out, static_cast<std::uint16_t>(c));
        } else {
            appendUnit(out, static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
            appendUnit(out, static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::string_view afterCharacters(std::string_view text, std::size_t count)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count; ++n) {
        if (pos >= text.size())
            return {};
        ++pos;
        while (pos < text.size() && isContinuation(static_cast<unsigned char>(text[pos])))
            ++pos;
    }
    return text.substr(pos);
}

} // namespace engine::utf8
