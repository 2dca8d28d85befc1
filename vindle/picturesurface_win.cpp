#include "vindle/picturesurface_win.h"

#include "vindle/modulestate.h"
#include "vindle/thismodule_win.h"

#include <algorithm>
#include <cmath>

namespace vindle
{

namespace
{

constexpr wchar_t windowClass[] = L"ravo2.vindle.PictureBox";

int pixelsFor(double twips, double twipsPerPixel)
{
    return std::max(0L, std::lround(twips / twipsPerPixel));
}

} // namespace

PictureSurface::PictureSurface()
{
    HDC screen = GetDC(nullptr);
    m_twipsPerPixelX = 1440.0 / std::max(1, GetDeviceCaps(screen, LOGPIXELSX));
    m_twipsPerPixelY = 1440.0 / std::max(1, GetDeviceCaps(screen, LOGPIXELSY));
    m_dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    m_original = GetCurrentObject(m_dc, OBJ_BITMAP);
}

PictureSurface::~PictureSurface()
{
    // The thread must not keep drawing on a surface that is gone.
    if (DrawingSurface == this)
        SetDrawingSurface(nullptr);
    if (m_window != nullptr)
        DestroyWindow(m_window);
    SelectObject(m_dc, m_original);
    if (m_image != nullptr)
        DeleteObject(m_image);
    DeleteDC(m_dc);
}

void PictureSurface::setOuterHeight(double twips)
{
    m_outer.cy = pixelsFor(twips, m_twipsPerPixelY);
    fitImage();
}

void PictureSurface::setOuterWidth(double twips)
{
    m_outer.cx = pixelsFor(twips, m_twipsPerPixelX);
    fitImage();
}

void PictureSurface::clearPicture()
{
    const RECT all{0, 0, m_inner.cx, m_inner.cy};
    FillRect(m_dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (m_window != nullptr)
        InvalidateRect(m_window, nullptr, FALSE);
}

void PictureSurface::drawIcon(IconHandle icon, int x, int y, int width, int height)
{
    if (m_image == nullptr)
        return;
    DrawIconEx(m_dc, x, y, static_cast<HICON>(icon), width, height, 0, nullptr, DI_NORMAL);
    if (m_window != nullptr)
        InvalidateRect(m_window, nullptr, FALSE);
}

HBITMAP PictureSurface::copyImage() const
{
    if (m_image == nullptr)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, m_inner.cx, m_inner.cy);
    ReleaseDC(nullptr, screen);
    HDC target = CreateCompatibleDC(m_dc);
    HGDIOBJ previous = SelectObject(target, copy);
    BitBlt(target, 0, 0, m_inner.cx, m_inner.cy, m_dc, 0, 0, SRCCOPY);
    SelectObject(target, previous);
    DeleteDC(target);
    return copy;
}

// Sizes the persistent image to the inner area; what it held stays at its top-left corner.
void PictureSurface::fitImage()
{
    const SIZE inner{std::max(0L, m_outer.cx - 2 * border), std::max(0L, m_outer.cy - 2 * border)};
    if (inner.cx == m_inner.cx && inner.cy == m_inner.cy)
        return;
    HBITMAP resized = nullptr;
    if (inner.cx > 0 && inner.cy > 0) {
        HDC screen = GetDC(nullptr);
        resized = CreateCompatibleBitmap(screen, inner.cx, inner.cy);
        HDC target = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HGDIOBJ previous = SelectObject(target, resized);
        const RECT all{0, 0, inner.cx, inner.cy};
        FillRect(target, &all, GetSysColorBrush(COLOR_BTNFACE));
        if (m_image != nullptr)
            BitBlt(target, 0, 0, m_inner.cx, m_inner.cy, m_dc, 0, 0, SRCCOPY);
        SelectObject(target, previous);
        DeleteDC(target);
    }
    SelectObject(m_dc, resized != nullptr ? resized : m_original);
    if (m_image != nullptr)
        DeleteObject(m_image);
    m_image = resized;
    m_inner = inner;
    if (m_window != nullptr)
        SetWindowPos(m_window, nullptr, 0, 0, m_outer.cx, m_outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND PictureSurface::createWindow(HWND parent, RECT bounds)
{
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = windowProc;
    type.hInstance = thisModule();
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.lpszClassName = windowClass;
    RegisterClassExW(&type); // fails harmlessly when registered before
    m_window = CreateWindowExW(WS_EX_CLIENTEDGE, windowClass, L"Pictempicon", WS_CHILD, bounds.left,
                               bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                               parent, nullptr, thisModule(), this);
    return m_window;
}

LRESULT CALLBACK PictureSurface::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *surface = reinterpret_cast<PictureSurface *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (surface != nullptr && message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BitBlt(dc, 0, 0, surface->m_inner.cx, surface->m_inner.cy, surface->m_dc, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    if (surface != nullptr && message == WM_NCDESTROY)
        surface->m_window = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace vindle
