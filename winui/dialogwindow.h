#pragma once

#include "winui/dpi.h"
#include "winui/window.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace winui
{

// A dialog of the program built without a resource: the dialog manager gives it Tab, Enter (the
// default button) and Esc (IDCANCEL); its controls are laid out in twips at the window's DPI with
// the system's message font.
class DialogWindow : public Window
{
public:
    DialogWindow(const DialogWindow &) = delete;
    DialogWindow &operator=(const DialogWindow &) = delete;
    ~DialogWindow() override;

    HWND hwnd() const override { return m_hwnd; }
    HWND control(std::string_view name) const override;

    static std::wstring wide(const std::string &utf8);
    static std::string utf8(const std::wstring &wide);
    static std::string textOf(HWND window);
    static void setText(HWND window, const std::string &utf8);

protected:
    // `twipsWidth` x `twipsHeight` is the client area; `resizable` gives a sizing border.
    DialogWindow(HINSTANCE instance, HWND owner, const wchar_t *title, int twipsWidth,
                 int twipsHeight, bool resizable);

    // A child control named as the language rows name it ("" for none), placed later by layout().
    HWND add(const wchar_t *kind, const wchar_t *text, DWORD style, int id, const char *name,
             DWORD exStyle = 0);
    int px(int twips) const { return toPixels(twips, m_dpi); }
    void place(HWND control, int left, int top, int width, int height) const; // pixels
    void hide() { ShowWindow(m_hwnd, SW_HIDE); }
    HWND owner() const { return m_owner; }
    HINSTANCE instance() const { return m_instance; }
    // Lays the controls out again for the client area as it is now.
    void relayout();
    // The derived window has made its controls and its logic: events reach it from now on.
    void ready();

    // Places every control for a client area of `width` x `height` pixels.
    virtual void layout(int width, int height) = 0;
    // A button or control notification (WM_COMMAND); IDCANCEL is Esc and the close box.
    virtual void command(int id, int code) = 0;
    // WM_NOTIFY of a common control; the result goes back to the control.
    virtual LRESULT notify(const NMHDR &) { return 0; }
    // Any other message; true when handled.
    virtual bool message(UINT, WPARAM, LPARAM, LRESULT &) { return false; }

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void useDpi(UINT dpi);
    void pressFocusedButton();

    HINSTANCE m_instance;
    HWND m_owner;
    HWND m_hwnd = nullptr;
    UINT m_dpi = 96;
    HFONT m_font = nullptr; // the message font at m_dpi
    bool m_ready = false;   // the virtual handlers exist (not while the base is being made)
    std::vector<std::pair<std::string, HWND>> m_controls; // by the names the language rows use
};

} // namespace winui
