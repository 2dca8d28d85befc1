#pragma once

#include "vindle/cscrab.h"
#include "vindle/cscrabinterface.h"

#include <atomic>

namespace vindle
{

// Objects and factory locks alive in this module; DllCanUnloadNow answers from it.
extern std::atomic<long> liveObjects;

// ScrabObject: a CScrab behind the dual interface _CScrab.
class ScrabObject final : public _CScrab
{
public:
    ScrabObject(IconExtractor &icons, BrowserHost &browser);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

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
    ~ScrabObject();
    HRESULT invokeMember(DISPID id, WORD flags, DISPPARAMS &params, VARIANT *result, UINT *argError,
                         HRESULT &memberStatus);
    static HRESULT deliverText(BSTR text, VARIANT *result);

    std::atomic<ULONG> m_references{1};
    CScrab m_scrab;
};

} // namespace vindle
