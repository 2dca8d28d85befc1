#pragma once

#include <windows.h>

// Twips to pixels at a window's own DPI, and the window font at that DPI: the windows follow the
// monitor they are on (per-monitor aware), on systems old and new.
namespace winui
{

// The DPI of the monitor `window` is on (GetDpiForWindow where the system has it, else the
// screen's); 96 when neither answers.
UINT dpiOf(HWND window);

// Twips (1440 to the inch) at `dpi`, rounded to the nearest pixel.
int toPixels(int twips, UINT dpi);

// The system's message font at `dpi`; the caller deletes it.
HFONT createMessageFont(UINT dpi);

// The outer size of a window whose client area is `clientWidth` x `clientHeight` at `dpi`.
SIZE outerSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu, UINT dpi);

} // namespace winui
