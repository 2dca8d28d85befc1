#pragma once

#include "platform/componenttypes.h"

#include <atomic>

namespace vindle
{

// ScrabFactory: the class object of CScrab that DllGetClassObject hands out.
class ScrabFactory final : public IClassFactory
{
public:
    ScrabFactory();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID riid, void **object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ScrabFactory();

    std::atomic<ULONG> m_references{1};
};

} // namespace vindle
