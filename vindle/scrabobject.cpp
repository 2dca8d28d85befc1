#include "vindle/scrabobject.h"

#include "platform/componentstrings.h"
#include "vindle/dispatchargs.h"

#include <cstring>

namespace vindle
{

std::atomic<long> liveObjects{0};

namespace
{

struct MemberName {
    const char *name;
    DISPID id;
};
constexpr MemberName memberNames[] = {{"vindle", DISPID_vindle},
                                      {"FileName", DISPID_FileName},
                                      {"NumberIcons", DISPID_NumberIcons},
                                      {"ShowIcon", DISPID_ShowIcon}};

const char *errorDescription(HRESULT status)
{
    switch (status) {
    case controlError(errSubscriptOutOfRange):
        return "Subscript out of range";
    case controlError(errObjectNotSet):
        return "Object variable or With block variable not set";
    case controlError(errInvalidPropertyValue):
        return "Invalid property value";
    case RPC_E_WRONG_THREAD:
        return "The browser window belongs to another thread";
    default:
        return "The member failed";
    }
}

// A member's failure reported the automation way: DISP_E_EXCEPTION with the status inside.
HRESULT raise(HRESULT status, EXCEPINFO *exception)
{
    if (!exception)
        return status;
    std::memset(exception, 0, sizeof *exception);
    exception->scode = status;
    exception->bstrSource = platform::allocBstr(std::string_view("vindle"));
    exception->bstrDescription = platform::allocBstr(std::string_view(errorDescription(status)));
    return DISP_E_EXCEPTION;
}

} // namespace

ScrabObject::ScrabObject(IconExtractor &icons, BrowserHost &browser) : m_scrab(icons, browser)
{
    ++liveObjects;
}

ScrabObject::~ScrabObject()
{
    --liveObjects;
}

HRESULT ScrabObject::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__CScrab) {
        *object = static_cast<_CScrab *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ScrabObject::AddRef()
{
    return ++m_references;
}

ULONG ScrabObject::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT ScrabObject::GetTypeInfoCount(UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ScrabObject::GetTypeInfo(UINT, LCID, ITypeInfo **info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ScrabObject::GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID, DISPID *ids)
{
    if (!(riid == IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids)
        return E_POINTER;
    HRESULT status = S_OK;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    for (const MemberName &member : memberNames) {
        if (count > 0 && dispatch::sameName(names[0], member.name))
            ids[0] = member.id;
    }
    static constexpr const char *parameters[] = {"inputdll", "modal", "Icon", "SizeIcon"};
    for (UINT i = 1; i < count; ++i) {
        for (int p = 0; p < 4; ++p) {
            if (dispatch::sameName(names[i], parameters[p]))
                ids[i] = p % 2;
        }
    }
    for (UINT i = 0; i < count; ++i) {
        if (ids[i] == DISPID_UNKNOWN)
            status = DISP_E_UNKNOWNNAME;
    }
    return status;
}

HRESULT ScrabObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS *params,
                            VARIANT *result, EXCEPINFO *exception, UINT *argError)
{
    if (!(riid == IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (!params)
        params = &none;
    if ((params->cArgs > 0 && !params->rgvarg) ||
        (params->cNamedArgs > 0 && !params->rgdispidNamedArgs))
        return E_INVALIDARG;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (params->cNamedArgs > (put ? 1u : 0u) ||
        (put && params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_NONAMEDARGS;
    if (result)
        VariantInit(result);
    HRESULT memberStatus = S_OK;
    const HRESULT status = invokeMember(id, flags, *params, result, argError, memberStatus);
    if (FAILED(memberStatus))
        return raise(memberStatus, exception);
    return status;
}

// Checks the argument count and converts each argument; a conversion failure names its position.
HRESULT ScrabObject::invokeMember(DISPID id, WORD flags, DISPPARAMS &params, VARIANT *result,
                                  UINT *argError, HRESULT &memberStatus)
{
    const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
    const bool method = (flags & DISPATCH_METHOD) != 0;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    auto fail = [argError](HRESULT status, UINT position) {
        if (argError)
            *argError = position;
        return status;
    };
    switch (id) {
    case DISPID_vindle: {
        if (!method && !get)
            return DISP_E_MEMBERNOTFOUND;
        if (params.cArgs != 2)
            return DISP_E_BADPARAMCOUNT;
        std::u16string path;
        std::uint8_t modal = 0;
        if (HRESULT s = dispatch::toText(*dispatch::argument(params, 0), path); FAILED(s))
            return fail(s, 1);
        if (HRESULT s = dispatch::toByte(*dispatch::argument(params, 1), modal); FAILED(s))
            return fail(s, 0);
        BSTR input = platform::allocBstr(path);
        BSTR text = nullptr;
        memberStatus = vindle(&input, &modal, &text);
        SysFreeString(input);
        return deliverText(text, result);
    }
    case DISPID_FileName:
        if (put) {
            std::u16string path;
            if (params.cArgs != 1)
                return DISP_E_BADPARAMCOUNT;
            if (HRESULT s = dispatch::toText(params.rgvarg[0], path); FAILED(s))
                return fail(s, 0);
            m_scrab.setFileName(path);
            return S_OK;
        }
        if (!get)
            return DISP_E_MEMBERNOTFOUND;
        if (params.cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        return deliverText(platform::allocBstr(m_scrab.fileName()), result);
    case DISPID_NumberIcons:
        if (!get || put)
            return DISP_E_MEMBERNOTFOUND;
        if (params.cArgs != 0)
            return DISP_E_BADPARAMCOUNT;
        if (result) {
            result->vt = VT_I4;
            result->lVal = m_scrab.numberIcons();
        }
        return S_OK;
    case DISPID_ShowIcon: {
        if (!method)
            return DISP_E_MEMBERNOTFOUND;
        if (params.cArgs != 2)
            return DISP_E_BADPARAMCOUNT;
        std::int32_t icon = 0;
        std::int32_t size = 0;
        if (HRESULT s = dispatch::toLong(*dispatch::argument(params, 0), icon); FAILED(s))
            return fail(s, 1);
        if (HRESULT s = dispatch::toLong(*dispatch::argument(params, 1), size); FAILED(s))
            return fail(s, 0);
        memberStatus = m_scrab.showIcon(icon, size);
        return S_OK;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT ScrabObject::deliverText(BSTR text, VARIANT *result)
{
    if (result) {
        result->vt = VT_BSTR;
        result->bstrVal = text;
    } else {
        SysFreeString(text);
    }
    return S_OK;
}

HRESULT ScrabObject::vindle(BSTR *inputdll, BYTE *modal, BSTR *result)
{
    if (!inputdll || !modal || !result)
        return E_POINTER;
    *result = nullptr;
    std::u16string text;
    const HRESULT status = m_scrab.vindle(platform::bstrText(*inputdll), *modal, text);
    if (FAILED(status))
        return status;
    *result = platform::allocBstr(text);
    return *result ? S_OK : E_OUTOFMEMORY;
}

HRESULT ScrabObject::put_FileName(BSTR value)
{
    m_scrab.setFileName(platform::bstrText(value));
    return S_OK;
}

HRESULT ScrabObject::get_FileName(BSTR *value)
{
    if (!value)
        return E_POINTER;
    *value = platform::allocBstr(m_scrab.fileName());
    return S_OK;
}

HRESULT ScrabObject::get_NumberIcons(LONG *value)
{
    if (!value)
        return E_POINTER;
    *value = m_scrab.numberIcons();
    return S_OK;
}

HRESULT ScrabObject::ShowIcon(LONG Icon, enmSizeIcon *SizeIcon)
{
    if (!SizeIcon)
        return E_POINTER;
    return m_scrab.showIcon(Icon, *SizeIcon);
}

} // namespace vindle
