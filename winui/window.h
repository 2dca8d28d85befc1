#pragma once

#include <windows.h>

#include <string_view>

namespace winui
{

// A top-level window of the program as the others reach it: its handle and its controls by name,
// which the language files address.
class Window
{
public:
    virtual ~Window() = default;
    virtual HWND hwnd() const = 0;
    // The child control named `name` ("Command1", "Frame2"); nullptr when the window has none.
    virtual HWND control(std::string_view name) const = 0;
};

} // namespace winui
