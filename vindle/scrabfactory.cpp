#include "vindle/scrabfactory.h"

#include "vindle/componentservices.h"
#include "vindle/scrabobject.h"

#include <new>

namespace vindle
{

ScrabFactory::ScrabFactory()
{
    ++liveObjects;
}

ScrabFactory::~ScrabFactory()
{
    --liveObjects;
}

HRESULT ScrabFactory::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *object = static_cast<IClassFactory *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ScrabFactory::AddRef()
{
    return ++m_references;
}

ULONG ScrabFactory::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT ScrabFactory::CreateInstance(IUnknown *outer, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    const ComponentServices services = componentServices();
    auto *scrab = new (std::nothrow) ScrabObject(services.icons, services.browser);
    if (!scrab)
        return E_OUTOFMEMORY;
    const HRESULT status = scrab->QueryInterface(riid, object);
    scrab->Release();
    return status;
}

HRESULT ScrabFactory::LockServer(BOOL lock)
{
    if (lock)
        ++liveObjects;
    else
        --liveObjects;
    return S_OK;
}

} // namespace vindle
