#pragma once

#include "platform/componenttypes.h"

// The identities that registration publishes and clients bind to.
inline constexpr GUID LIBID_vindle = {
    0x902BCEE7, 0x06B3, 0x451E, {0xB1, 0x82, 0x4B, 0x67, 0xB3, 0xF9, 0xBF, 0xF3}};
inline constexpr CLSID CLSID_CScrab = {
    0x8214DF6F, 0x3AD9, 0x48FC, {0xB6, 0x2D, 0x47, 0x4D, 0xC4, 0x69, 0x11, 0xFB}};
inline constexpr IID IID__CScrab = {
    0x4F448B3C, 0xBFC9, 0x446F, {0xAA, 0x4D, 0x52, 0x5C, 0x6F, 0xCF, 0x25, 0xEA}};
inline constexpr char vindleProgId[] = "vindle.CScrab";

// enmSizeIcon: icon sizes in pixels.
enum enmSizeIcon : int { SmallIcon = 16, LargeIcon = 32 };

// Dispatch identifiers of the members of _CScrab.
inline constexpr DISPID DISPID_vindle = 0x60030002;
inline constexpr DISPID DISPID_FileName = 0x68030001;
inline constexpr DISPID DISPID_NumberIcons = 0x68030000;
inline constexpr DISPID DISPID_ShowIcon = 0x60030004;

// _CScrab: the class's default dual interface; its five slots follow IDispatch's seven. Each
// returns S_OK or a failure: a runtime error number n as MAKE_HRESULT(1, FACILITY_CONTROL, n) —
// 0x800A0009 (9, subscript out of range), 0x800A005B (91, ShowIcon with no drawing surface in
// the thread), 0x800A017C (380, SizeIcon outside 0..1024) — or E_POINTER, E_UNEXPECTED (no
// QApplication), RPC_E_WRONG_THREAD (vindle off the widgets' thread). Invoke reports a member's
// failure as DISP_E_EXCEPTION with the status in EXCEPINFO::scode (or the status itself when the
// caller gives no EXCEPINFO).
struct _CScrab : IDispatch {
    // Opens the browser window on `inputdll`; `result` receives the chosen index as decimal text.
    virtual HRESULT STDMETHODCALLTYPE vindle(BSTR *inputdll, BYTE *modal, BSTR *result) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FileName(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FileName(BSTR *value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_NumberIcons(LONG *value) = 0;
    // Draws icon `Icon` at `SizeIcon` pixels onto this thread's drawing surface.
    virtual HRESULT STDMETHODCALLTYPE ShowIcon(LONG Icon, enmSizeIcon *SizeIcon) = 0;

protected:
    ~_CScrab() = default;
};
