#include "platform/componenttypes.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace
{

// The 4-byte length prefix sits just before the characters the BSTR points at.
std::uint32_t *lengthPrefix(BSTR text)
{
    return reinterpret_cast<std::uint32_t *>(reinterpret_cast<char *>(text) -
                                             sizeof(std::uint32_t));
}

} // namespace

BSTR SysAllocStringLen(const OLECHAR *text, UINT length)
{
    constexpr UINT maxLength =
        (std::numeric_limits<std::uint32_t>::max() - 8) / sizeof(OLECHAR) / 2;
    if (length > maxLength)
        return nullptr;
    const std::uint32_t bytes = length * sizeof(OLECHAR);
    auto *block = static_cast<char *>(std::malloc(sizeof(std::uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    std::memcpy(block, &bytes, sizeof bytes);
    auto *chars = reinterpret_cast<OLECHAR *>(block + sizeof(std::uint32_t));
    if (text)
        std::memcpy(chars, text, bytes);
    else
        std::memset(chars, 0, bytes);
    chars[length] = 0;
    return chars;
}

BSTR SysAllocString(const OLECHAR *text)
{
    if (!text)
        return nullptr;
    UINT length = 0;
    while (text[length] != 0)
        ++length;
    return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(lengthPrefix(text));
}

UINT SysStringLen(BSTR text)
{
    return text ? *lengthPrefix(text) / sizeof(OLECHAR) : 0;
}

void VariantInit(VARIANT *value)
{
    std::memset(value, 0, sizeof *value);
    value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT *value)
{
    if (!value)
        return E_INVALIDARG;
    if (value->vt == VT_BSTR)
        SysFreeString(value->bstrVal);
    else if ((value->vt == VT_UNKNOWN || value->vt == VT_DISPATCH) && value->punkVal)
        value->punkVal->Release();
    VariantInit(value);
    return S_OK;
}
