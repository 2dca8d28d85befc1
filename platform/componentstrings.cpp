#include "platform/componentstrings.h"

#include <cstdio>

namespace platform
{

std::u16string bstrText(BSTR text)
{
    static_assert(sizeof(OLECHAR) == sizeof(char16_t), "BSTR characters are UTF-16 units");
    if (!text)
        return {};
    return std::u16string(reinterpret_cast<const char16_t *>(text), SysStringLen(text));
}

BSTR allocBstr(std::u16string_view text)
{
    return SysAllocStringLen(reinterpret_cast<const OLECHAR *>(text.data()),
                             static_cast<UINT>(text.size()));
}

std::string guidToString(REFGUID guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

namespace
{

// Reads `digits` hex digits at `pos`; false on anything that is not a hex digit.
bool readHex(std::string_view text, size_t pos, int digits, std::uint32_t &value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = text[pos + i];
        int v = -1;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        if (v < 0)
            return false;
        value = value * 16 + static_cast<std::uint32_t>(v);
    }
    return true;
}

} // namespace

std::optional<GUID> parseGuid(std::string_view text)
{
    if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return std::nullopt;
    GUID guid{};
    std::uint32_t v = 0;
    if (!readHex(text, 1, 8, v))
        return std::nullopt;
    guid.Data1 = v;
    if (!readHex(text, 10, 4, v))
        return std::nullopt;
    guid.Data2 = static_cast<std::uint16_t>(v);
    if (!readHex(text, 15, 4, v))
        return std::nullopt;
    guid.Data3 = static_cast<std::uint16_t>(v);
    static constexpr size_t bytePos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!readHex(text, bytePos[i], 2, v))
            return std::nullopt;
        guid.Data4[i] = static_cast<std::uint8_t>(v);
    }
    return guid;
}

} // namespace platform
