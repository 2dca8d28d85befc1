#include "vindle/scrabserver_win.h"

#include "platform/componentruntime.h"
#include "platform/componentstrings.h"
#include "vindle/componentservices.h"
#include "vindle/cscrab.h"
#include "vindle/cscrabinterface.h"

#include <atomic>
#include <new>

namespace vindle
{

namespace
{

std::atomic<long> liveObjects{0};

// The vtable half of the dual interface, whose functions ITypeInfo::Invoke calls by slot.
ITypeInfo *loadInterfaceTypeInfo()
{
    const std::string path = platform::modulePathOf(reinterpret_cast<const void *>(&liveObjects));
    const std::u16string widePath = platform::utf8ToUtf16(path);
    ITypeLib *library = nullptr;
    if (FAILED(
            LoadTypeLibEx(reinterpret_cast<LPCOLESTR>(widePath.c_str()), REGKIND_NONE, &library)))
        return nullptr;
    ITypeInfo *dispatchInfo = nullptr;
    ITypeInfo *interfaceInfo = nullptr;
    HREFTYPE vtablePart = 0;
    if (SUCCEEDED(library->GetTypeInfoOfGuid(IID__CScrab, &dispatchInfo))) {
        if (FAILED(dispatchInfo->GetRefTypeOfImplType(-1, &vtablePart)) ||
            FAILED(dispatchInfo->GetRefTypeInfo(vtablePart, &interfaceInfo)))
            interfaceInfo = nullptr;
        dispatchInfo->Release();
    }
    library->Release();
    return interfaceInfo;
}

// Loaded once per process and kept: a type description serves every apartment.
ITypeInfo *interfaceTypeInfo()
{
    static ITypeInfo *const info = loadInterfaceTypeInfo();
    return info;
}

const wchar_t *errorDescription(HRESULT status)
{
    switch (status) {
    case controlError(errSubscriptOutOfRange):
        return L"Subscript out of range";
    case controlError(errObjectNotSet):
        return L"Object variable or With block variable not set";
    case controlError(errInvalidPropertyValue):
        return L"Invalid property value";
    default:
        return L"The member failed";
    }
}

// A failing member leaves its description where automation clients look for it.
HRESULT raise(HRESULT status)
{
    ICreateErrorInfo *created = nullptr;
    if (FAILED(CreateErrorInfo(&created)))
        return status;
    created->SetGUID(IID__CScrab);
    created->SetSource(const_cast<LPOLESTR>(L"vindle.CScrab"));
    created->SetDescription(const_cast<LPOLESTR>(errorDescription(status)));
    IErrorInfo *info = nullptr;
    if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void **>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    created->Release();
    return status;
}

// CScrab behind the dual interface _CScrab.
class ScrabServer final : public _CScrab, public ISupportErrorInfo
{
public:
    explicit ScrabServer(const ComponentServices &services)
        : m_scrab(services.icons, services.browser)
    {
        ++liveObjects;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID__CScrab)
            *object = static_cast<_CScrab *>(this);
        else if (riid == IID_ISupportErrorInfo)
            *object = static_cast<ISupportErrorInfo *>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override
    {
        return riid == IID__CScrab ? S_OK : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo **info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID lcid,
                                            DISPID *ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS *params, VARIANT *result, EXCEPINFO *exception,
                                     UINT *argError) override;

    HRESULT STDMETHODCALLTYPE vindle(BSTR *inputdll, BYTE *modal, BSTR *result) override;
    HRESULT STDMETHODCALLTYPE put_FileName(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_FileName(BSTR *value) override;
    HRESULT STDMETHODCALLTYPE get_NumberIcons(LONG *value) override;
    HRESULT STDMETHODCALLTYPE ShowIcon(LONG Icon, enmSizeIcon *SizeIcon) override;

private:
    ~ScrabServer() { --liveObjects; }

    std::atomic<ULONG> m_references{1};
    CScrab m_scrab; // the class's state and members
};

HRESULT ScrabServer::GetTypeInfoCount(UINT *count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = interfaceTypeInfo() != nullptr ? 1 : 0;
    return S_OK;
}

HRESULT ScrabServer::GetTypeInfo(UINT index, LCID, ITypeInfo **info)
{
    if (info == nullptr)
        return E_POINTER;
    *info = index == 0 ? interfaceTypeInfo() : nullptr;
    if (*info == nullptr)
        return index == 0 ? TYPE_E_CANTLOADLIBRARY : DISP_E_BADINDEX;
    (*info)->AddRef();
    return S_OK;
}

HRESULT ScrabServer::GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID, DISPID *ids)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo *info = interfaceTypeInfo();
    return info != nullptr ? DispGetIDsOfNames(info, names, count, ids) : TYPE_E_CANTLOADLIBRARY;
}

HRESULT ScrabServer::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS *params,
                            VARIANT *result, EXCEPINFO *exception, UINT *argError)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo *info = interfaceTypeInfo();
    if (info == nullptr)
        return TYPE_E_CANTLOADLIBRARY;
    SetErrorInfo(0, nullptr);
    return info->Invoke(static_cast<_CScrab *>(this), id, flags, params, result, exception,
                        argError);
}

HRESULT ScrabServer::vindle(BSTR *inputdll, BYTE *modal, BSTR *result)
{
    if (inputdll == nullptr || modal == nullptr || result == nullptr)
        return E_POINTER;
    *result = nullptr;
    std::u16string text;
    const HRESULT status = m_scrab.vindle(platform::bstrText(*inputdll), *modal, text);
    if (FAILED(status))
        return raise(status);
    *result = platform::allocBstr(text);
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ScrabServer::put_FileName(BSTR value)
{
    m_scrab.setFileName(platform::bstrText(value));
    return S_OK;
}

HRESULT ScrabServer::get_FileName(BSTR *value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = platform::allocBstr(m_scrab.fileName());
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ScrabServer::get_NumberIcons(LONG *value)
{
    if (value == nullptr)
        return E_POINTER;
    *value = m_scrab.numberIcons();
    return S_OK;
}

HRESULT ScrabServer::ShowIcon(LONG Icon, enmSizeIcon *SizeIcon)
{
    if (SizeIcon == nullptr)
        return E_POINTER;
    const HRESULT status = m_scrab.showIcon(Icon, *SizeIcon);
    return FAILED(status) ? raise(status) : status;
}

// The class object; it lives as long as its references, like the objects it makes.
class ScrabFactory final : public IClassFactory
{
public:
    ScrabFactory() { ++liveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return E_NOINTERFACE;
        *object = static_cast<IClassFactory *>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID riid, void **object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto *server = new (std::nothrow) ScrabServer(componentServices());
        if (server == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT status = server->QueryInterface(riid, object);
        server->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ++liveObjects;
        else
            --liveObjects;
        return S_OK;
    }

private:
    ~ScrabFactory() { --liveObjects; }

    std::atomic<ULONG> m_references{1};
};

} // namespace

HRESULT getScrabClassObject(REFIID riid, void **object)
{
    auto *factory = new (std::nothrow) ScrabFactory;
    if (factory == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT status = factory->QueryInterface(riid, object);
    factory->Release();
    return status;
}

long liveServerObjects()
{
    return liveObjects.load();
}

} // namespace vindle
