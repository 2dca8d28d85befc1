#pragma once

// What the screen shows inside a rectangle, read back from the display (Xvfb under Wine), with the
// comparisons a drawing check needs and a BMP writer for the documentation's pictures.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Screenshot
{
public:
    Screenshot() = default;
    static Screenshot ofRect(RECT screen);
    // The window as the user sees it, its frame included, once it has been painted afresh and
    // two shots 150 ms apart agree (at most 3 s); `settle` false: 150 ms after the repaint, for a
    // window whose content keeps changing.
    static Screenshot ofWindow(HWND window, bool settle = true);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool empty() const { return m_pixels.empty(); }
    std::uint32_t at(int x, int y) const { return m_pixels[std::size_t(y * m_width + x)]; }

    // Pixels that differ from `other`'s (all of them when the sizes differ).
    std::size_t differing(const Screenshot &other) const;
    std::size_t countOf(std::uint32_t rgb) const;
    // The part at `r`, in this picture's coordinates.
    Screenshot part(RECT r) const;
    // A 24-bit bottom-up BMP (tests/wine/bmptopng.py turns it into PNG).
    bool writeBmp(const std::wstring &path) const;

    // COLORREF (0x00BBGGRR) as the screen's 0xRRGGBB.
    static std::uint32_t rgb(COLORREF colour);

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels; // 0xRRGGBB, row by row from the top
};
