#include "dosattrib.h"

#include "attributes.h"

namespace platform
{

namespace
{

// Samba's NDR blob: empty hex string (1 byte + pad), uint16 version, uint16 union level,
// uint32 valid flags, uint32 attributes, 8-byte creation time.
constexpr std::size_t kSambaV5Size = 24;
constexpr std::size_t kVersionOffset = 2;
constexpr std::size_t kLevelOffset = 4;
constexpr std::size_t kFlagsOffset = 8;
constexpr std::size_t kAttribOffset = 12;
constexpr std::uint32_t kSambaFlagAttrib =
    0x1; // XATTR_DOSINFO_ATTRIB: the attributes field is valid

std::uint32_t readLe32(std::string_view raw, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(raw[offset + i])) << (8 * i);
    return value;
}

std::uint32_t readLe16(std::string_view raw, std::size_t offset)
{
    return std::uint32_t(static_cast<unsigned char>(raw[offset])) |
           std::uint32_t(static_cast<unsigned char>(raw[offset + 1])) << 8;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> decodeText(std::string_view text)
{
    while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    if (text.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0 || value > 0x0FFFFFFF)
            return std::nullopt;
        value = value << 4 | std::uint32_t(digit);
    }
    return value;
}

void writeLe32(std::string &raw, std::size_t offset, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        raw[offset + i] = char((value >> (8 * i)) & 0xFF);
}

bool isSambaV5(std::string_view raw)
{
    return raw.size() == kSambaV5Size && raw[0] == '\0' && readLe16(raw, kVersionOffset) == 5 &&
           readLe16(raw, kLevelOffset) == 5;
}

std::optional<std::uint32_t> decodeSambaV5(std::string_view raw)
{
    if (!isSambaV5(raw))
        return std::nullopt;
    if ((readLe32(raw, kFlagsOffset) & kSambaFlagAttrib) == 0)
        return std::nullopt;
    return readLe32(raw, kAttribOffset);
}

} // namespace

std::string encodeDosAttrib(std::uint32_t attributes)
{
    attributes &= ~kAttrDirectory;
    std::string text = "0x";
    int shift = 28;
    while (shift > 0 && (attributes >> shift) == 0) // "0x%x": no leading zeros
        shift -= 4;
    for (; shift >= 0; shift -= 4)
        text += "0123456789abcdef"[(attributes >> shift) & 0xF];
    return text;
}

std::optional<std::uint32_t> decodeDosAttrib(std::string_view raw)
{
    if (raw.empty())
        return std::nullopt;
    if (raw[0] == '\0')
        return decodeSambaV5(raw);
    return decodeText(raw);
}

std::uint32_t mergeAttributes(std::uint32_t current, std::uint32_t wanted, std::uint32_t managed)
{
    std::uint32_t merged = (current & ~managed) | (wanted & managed);
    // "Normal" means no other bit; it goes once another one is set.
    if ((merged & ~(kAttrNormal | kAttrDirectory)) != 0)
        merged &= ~kAttrNormal;
    return merged;
}

std::string dosAttribFor(std::string_view stored, std::uint32_t attributes)
{
    if (isSambaV5(stored)) {
        std::string record(stored);
        writeLe32(record, kFlagsOffset, readLe32(record, kFlagsOffset) | kSambaFlagAttrib);
        writeLe32(record, kAttribOffset, attributes);
        return record;
    }
    if ((attributes & ~(kAttrNormal | kAttrDirectory)) == 0)
        return {};
    return encodeDosAttrib(attributes);
}

} // namespace platform
