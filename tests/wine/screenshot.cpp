#include "screenshot.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

Screenshot Screenshot::ofRect(RECT r)
{
    Screenshot shot;
    shot.m_width = std::max(0L, r.right - r.left);
    shot.m_height = std::max(0L, r.bottom - r.top);
    if (shot.m_width == 0 || shot.m_height == 0)
        return shot;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), shot.m_width, -shot.m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.m_width, shot.m_height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto *pixels = static_cast<const std::uint32_t *>(bits);
    shot.m_pixels.assign(pixels, pixels + std::size_t(shot.m_width) * std::size_t(shot.m_height));
    for (std::uint32_t &pixel : shot.m_pixels)
        pixel &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

Screenshot Screenshot::ofWindow(HWND window, bool settle)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Screenshot last;
    for (int round = 0; round < 20; ++round) {
        Sleep(150);
        RECT r{};
        GetWindowRect(window, &r);
        Screenshot now = ofRect(r);
        if (!settle || (round > 0 && now.differing(last) == 0))
            return now;
        last = std::move(now);
    }
    return last;
}

std::size_t Screenshot::differing(const Screenshot &other) const
{
    if (other.m_width != m_width || other.m_height != m_height)
        return m_pixels.size() + 1;
    std::size_t count = 0;
    for (std::size_t i = 0; i < m_pixels.size(); ++i)
        count += m_pixels[i] != other.m_pixels[i];
    return count;
}

std::size_t Screenshot::countOf(std::uint32_t rgb) const
{
    return std::size_t(std::count(m_pixels.begin(), m_pixels.end(), rgb));
}

Screenshot Screenshot::part(RECT r) const
{
    Screenshot piece;
    r.left = std::clamp<LONG>(r.left, 0, m_width);
    r.right = std::clamp<LONG>(r.right, r.left, m_width);
    r.top = std::clamp<LONG>(r.top, 0, m_height);
    r.bottom = std::clamp<LONG>(r.bottom, r.top, m_height);
    piece.m_width = r.right - r.left;
    piece.m_height = r.bottom - r.top;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            piece.m_pixels.push_back(at(x, y));
    return piece;
}

bool Screenshot::writeBmp(const std::wstring &path) const
{
    const int stride = (m_width * 3 + 3) / 4 * 4;
    std::vector<char> rows(std::size_t(stride) * std::size_t(m_height), 0);
    for (int y = 0; y < m_height; ++y) {
        char *row = rows.data() + std::size_t(stride) * std::size_t(m_height - 1 - y);
        for (int x = 0; x < m_width; ++x) {
            const std::uint32_t pixel = at(x, y);
            row[x * 3] = char(pixel & 0xFF);
            row[x * 3 + 1] = char(pixel >> 8 & 0xFF);
            row[x * 3 + 2] = char(pixel >> 16 & 0xFF);
        }
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = m_width;
    header.biHeight = m_height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = DWORD(file.bfOffBits + rows.size());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char *>(&file), sizeof(file));
    out.write(reinterpret_cast<const char *>(&header), sizeof(header));
    out.write(rows.data(), std::streamsize(rows.size()));
    return static_cast<bool>(out);
}

std::uint32_t Screenshot::rgb(COLORREF colour)
{
    return std::uint32_t(GetRValue(colour)) << 16 | std::uint32_t(GetGValue(colour)) << 8 |
           GetBValue(colour);
}
