#include "vindle/dispatchargs.h"

#include "platform/componentstrings.h"

#include <limits>

namespace vindle::dispatch
{
namespace
{

// A scalar argument after following references: either text or a whole number.
struct Scalar {
    bool isText = false;
    std::u16string text;
    std::int64_t number = 0;
};

HRESULT readScalar(const VARIANT &value, Scalar &out, int depth = 0)
{
    const VARTYPE type = value.vt & ~VT_BYREF;
    const bool byRef = (value.vt & VT_BYREF) != 0;
    if (byRef && !value.byref)
        return E_POINTER;
    switch (type) {
    case VT_VARIANT:
        if (!byRef || depth > 0)
            return DISP_E_BADVARTYPE;
        return readScalar(*value.pvarVal, out, depth + 1);
    case VT_BSTR:
        out.isText = true;
        out.text = platform::bstrText(byRef ? *value.pbstrVal : value.bstrVal);
        return S_OK;
    case VT_I4:
        out.number = byRef ? *value.plVal : value.lVal;
        return S_OK;
    case VT_I2:
        out.number = byRef ? *value.piVal : value.iVal;
        return S_OK;
    case VT_UI1:
        out.number = byRef ? *value.pbVal : value.bVal;
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

// Decimal text with optional sign and surrounding blanks, as automation converts text to numbers.
HRESULT parseNumber(const std::u16string &text, std::int64_t &number)
{
    size_t pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    const bool negative = pos < text.size() && text[pos] == u'-';
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        ++pos;
    const size_t digitsStart = pos;
    number = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        number = number * 10 + (text[pos] - u'0');
        if (number > std::numeric_limits<std::uint32_t>::max())
            return DISP_E_OVERFLOW;
    }
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    if (pos == digitsStart || pos != text.size())
        return DISP_E_TYPEMISMATCH;
    if (negative)
        number = -number;
    return S_OK;
}

HRESULT readNumber(const VARIANT &value, std::int64_t low, std::int64_t high, std::int64_t &out)
{
    Scalar scalar;
    HRESULT status = readScalar(value, scalar);
    if (SUCCEEDED(status) && scalar.isText)
        status = parseNumber(scalar.text, scalar.number);
    if (FAILED(status))
        return status;
    if (scalar.number < low || scalar.number > high)
        return DISP_E_OVERFLOW;
    out = scalar.number;
    return S_OK;
}

} // namespace

const VARIANT *argument(const DISPPARAMS &params, UINT position)
{
    if (!params.rgvarg || position >= params.cArgs)
        return nullptr;
    return &params.rgvarg[params.cArgs - 1 - position];
}

HRESULT toText(const VARIANT &value, std::u16string &text)
{
    Scalar scalar;
    const HRESULT status = readScalar(value, scalar);
    if (FAILED(status))
        return status;
    if (scalar.isText) {
        text = scalar.text;
    } else {
        const std::string digits = std::to_string(scalar.number);
        text.assign(digits.begin(), digits.end());
    }
    return S_OK;
}

HRESULT toLong(const VARIANT &value, std::int32_t &number)
{
    std::int64_t wide = 0;
    const HRESULT status = readNumber(value, std::numeric_limits<std::int32_t>::min(),
                                      std::numeric_limits<std::int32_t>::max(), wide);
    number = static_cast<std::int32_t>(wide);
    return status;
}

HRESULT toByte(const VARIANT &value, std::uint8_t &number)
{
    std::int64_t wide = 0;
    const HRESULT status = readNumber(value, 0, 255, wide);
    number = static_cast<std::uint8_t>(wide);
    return status;
}

bool sameName(const OLECHAR *given, const char *ours)
{
    if (!given)
        return false;
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    size_t i = 0;
    for (; ours[i] != 0; ++i) {
        if (lower(static_cast<char16_t>(given[i])) != lower(static_cast<char16_t>(ours[i])))
            return false;
    }
    return given[i] == 0;
}

} // namespace vindle::dispatch
