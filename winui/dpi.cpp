#include "winui/dpi.h"

namespace winui
{
namespace
{

// The DPI calls of Windows 10 1607 and later, looked up once: older systems lack them.
struct DpiCalls {
    UINT(WINAPI *getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI *systemParametersInfoForDpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
    BOOL(WINAPI *adjustWindowRectExForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT) = nullptr;

    DpiCalls()
    {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        if (user32 == nullptr)
            return;
        load(user32, "GetDpiForWindow", getDpiForWindow);
        load(user32, "SystemParametersInfoForDpi", systemParametersInfoForDpi);
        load(user32, "AdjustWindowRectExForDpi", adjustWindowRectExForDpi);
    }

    template <typename F> static void load(HMODULE module, const char *name, F &call)
    {
        call = reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(module, name)));
    }
};

const DpiCalls &calls()
{
    static const DpiCalls loaded;
    return loaded;
}

UINT screenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? UINT(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

UINT dpiOf(HWND window)
{
    if (window != nullptr && calls().getDpiForWindow != nullptr) {
        if (const UINT dpi = calls().getDpiForWindow(window); dpi > 0)
            return dpi;
    }
    return screenDpi();
}

int toPixels(int twips, UINT dpi)
{
    return MulDiv(twips, int(dpi), 1440);
}

HFONT createMessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (calls().systemParametersInfoForDpi != nullptr &&
        calls().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                           dpi))
        return CreateFontIndirectW(&metrics.lfMessageFont);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // The metrics come at the system's DPI: scale them to the monitor's.
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, int(dpi), int(screenDpi()));
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

SIZE outerSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, UINT dpi)
{
    RECT rect{0, 0, clientWidth, clientHeight};
    if (calls().adjustWindowRectExForDpi != nullptr)
        calls().adjustWindowRectExForDpi(&rect, style, menu, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, menu, exStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace winui
