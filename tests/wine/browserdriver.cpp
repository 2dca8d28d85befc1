// Plays the user at the component's browser window, from another process as a person would:
// waits for the window, reports its icons, presses End (the last icon), optionally captures the
// window to a BMP file, then presses Enter (the choose button) and reports what the window did.
//   browserdriver [capture.bmp]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{

constexpr wchar_t formClass[] = L"ravo2.vindle.Form1";
constexpr wchar_t formTitle[] = L"Просмотр иконок в библиотеках";

std::wstring textOf(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

// The window's pixels as the screen shows them, written as a 24-bit bottom-up BMP.
bool capture(HWND window, const char *path)
{
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO *>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD imageSize = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(&file), sizeof(file));
    out.write(reinterpret_cast<const char *>(&header), sizeof(header));
    out.write(static_cast<const char *>(bits), imageSize);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return static_cast<bool>(out);
}

void press(HWND control, WORD key)
{
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

} // namespace

int main(int argc, char **argv)
{
    HWND form = nullptr;
    for (int tries = 0; tries < 300 && !(form && IsWindowVisible(form)); ++tries, Sleep(100))
        form = FindWindowW(formClass, formTitle);
    if (form == nullptr || !IsWindowVisible(form)) {
        std::puts("no window");
        return 1;
    }
    const HWND list = FindWindowExW(form, nullptr, WC_LISTVIEWW, nullptr);
    HWND label2 = nullptr;
    for (HWND c = nullptr; (c = FindWindowExW(form, c, L"STATIC", nullptr)) != nullptr;)
        label2 = textOf(c) != L"Индекс:" ? c : label2; // Label1 carries the caption
    const auto count = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    std::printf("items %d\n", static_cast<int>(count));
    SetForegroundWindow(form);
    press(list, VK_END);
    for (int tries = 0; tries < 50 && textOf(label2) == L"0"; ++tries)
        Sleep(100);
    std::printf("label %ls\n", textOf(label2).c_str());
    Sleep(300); // lets the window paint before it is captured
    if (argc > 1 && !capture(form, argv[1]))
        std::puts("capture failed");
    press(list, VK_RETURN);
    for (int tries = 0; tries < 100 && IsWindow(form); ++tries)
        Sleep(100);
    std::printf("closed %d\n", IsWindow(form) ? 0 : 1);
    return 0;
}
