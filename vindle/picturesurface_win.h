#pragma once

#include "vindle/iconsurface.h"

#include <windows.h>

namespace vindle
{

// Pictempicon for the Win32 browser window: a picture box whose persistent image is a memory
// bitmap, so what ShowIcon draws can be read back (and still drawn after the window has closed).
// Its child window only shows that image; the window keeps it hidden.
class PictureSurface final : public IconSurface
{
public:
    static constexpr int border = 2; // a sunken 3D border, pixels on each side

    PictureSurface();
    ~PictureSurface() override;
    PictureSurface(const PictureSurface &) = delete;
    PictureSurface &operator=(const PictureSurface &) = delete;

    double twipsPerPixelX() const override { return m_twipsPerPixelX; }
    double twipsPerPixelY() const override { return m_twipsPerPixelY; }
    void setOuterHeight(double twips) override;
    void setOuterWidth(double twips) override;
    void clearPicture() override;
    void drawIcon(IconHandle icon, int x, int y, int width, int height) override;

    // A copy of the persistent image (the inner area), owned by the caller; null when empty.
    HBITMAP copyImage() const;
    SIZE imageSize() const { return m_inner; }
    // Creates the hidden child window named Pictempicon that shows the image.
    HWND createWindow(HWND parent, RECT bounds);

private:
    void fitImage();
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    double m_twipsPerPixelX = 15;
    double m_twipsPerPixelY = 15;
    SIZE m_outer{};               // pixels, borders included
    SIZE m_inner{};               // pixels of the persistent image
    HDC m_dc = nullptr;           // memory DC holding the image
    HBITMAP m_image = nullptr;    // the persistent image
    HGDIOBJ m_original = nullptr; // the DC's own bitmap, put back before deleting ours
    HWND m_window = nullptr;      // the child window showing the image, when created
};

} // namespace vindle
