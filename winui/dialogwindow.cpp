#include "winui/dialogwindow.h"

#include "platform/win32text_win.h"
#include "winui/modalloop.h"

#include <iterator>

namespace winui
{

namespace
{

// An empty dialog: the controls are made afterwards, in twips at the window's DPI.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE dialog;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

// Windows 10 1703 and later rescale a dialog themselves on a DPI change; these lay it out in twips
// at the new DPI instead, so the system's own rescaling is turned off where it exists.
void keepOwnDpiLayout(HWND dialog)
{
    using SetBehaviour = BOOL(WINAPI *)(HWND, int, int);
    static const auto setBehaviour = reinterpret_cast<SetBehaviour>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
    constexpr int disableAll = 0x0001; // DDC_DISABLE_ALL
    if (setBehaviour != nullptr)
        setBehaviour(dialog, disableAll, disableAll);
}

} // namespace

std::wstring DialogWindow::wide(const std::string &utf8)
{
    return platform::win32::toWide(utf8).value_or(std::wstring());
}

std::string DialogWindow::utf8(const std::wstring &wide)
{
    return platform::win32::toUtf8(wide);
}

std::string DialogWindow::textOf(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return utf8(text);
}

void DialogWindow::setText(HWND window, const std::string &utf8)
{
    SetWindowTextW(window, wide(utf8).c_str());
}

DialogWindow::DialogWindow(HINSTANCE instance, HWND owner, const wchar_t *title, int twipsWidth,
                           int twipsHeight, bool resizable)
    : m_instance(instance), m_owner(owner)
{
    EmptyTemplate empty{};
    empty.dialog.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | (resizable ? WS_THICKFRAME : 0);
    m_hwnd = CreateDialogIndirectParamW(instance, &empty.dialog, owner, dialogProc,
                                        reinterpret_cast<LPARAM>(this));
    if (m_hwnd == nullptr)
        return;
    SetWindowTextW(m_hwnd, title);
    keepOwnDpiLayout(m_hwnd);
    useDpi(dpiOf(m_hwnd));
    // Client size in twips; the window centred over its owner (or the screen).
    const SIZE outer =
        outerSize(px(twipsWidth), px(twipsHeight), DWORD(GetWindowLongPtrW(m_hwnd, GWL_STYLE)),
                  DWORD(GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE)), false, m_dpi);
    const int width = outer.cx;
    const int height = outer.cy;
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr && IsWindowVisible(owner))
        GetWindowRect(owner, &around);
    const int left = (around.left + around.right - width) / 2;
    const int top = (around.top + around.bottom - height) / 2;
    SetWindowPos(m_hwnd, nullptr, left > 0 ? left : 0, top > 0 ? top : 0, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

DialogWindow::~DialogWindow()
{
    if (m_hwnd != nullptr) {
        SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
        DestroyWindow(m_hwnd);
    }
    if (m_font != nullptr)
        DeleteObject(m_font);
}

HWND DialogWindow::control(std::string_view name) const
{
    for (const auto &[controlName, window] : m_controls) {
        if (controlName == name)
            return window;
    }
    return nullptr;
}

HWND DialogWindow::add(const wchar_t *kind, const wchar_t *text, DWORD style, int id,
                       const char *name, DWORD exStyle)
{
    const HWND window =
        CreateWindowExW(exStyle, kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (name != nullptr && *name != '\0')
        m_controls.emplace_back(name, window);
    // Enter presses it: a dialog made without a template takes IDOK as its default otherwise.
    if (wcscmp(kind, L"BUTTON") == 0 && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        SendMessageW(m_hwnd, DM_SETDEFID, WPARAM(id), 0);
    return window;
}

void DialogWindow::place(HWND control, int left, int top, int width, int height) const
{
    SetWindowPos(control, nullptr, left, top, width > 0 ? width : 0, height > 0 ? height : 0,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::relayout()
{
    RECT client;
    GetClientRect(m_hwnd, &client);
    layout(client.right, client.bottom);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void DialogWindow::pressFocusedButton()
{
    const HWND focus = GetFocus();
    wchar_t kind[16] = L"";
    if (focus == nullptr || GetParent(focus) != m_hwnd ||
        GetClassNameW(focus, kind, int(std::size(kind))) == 0 || _wcsicmp(kind, L"BUTTON") != 0)
        return;
    const auto type = GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
        command(GetDlgCtrlID(focus), BN_CLICKED);
}

void DialogWindow::ready()
{
    m_ready = true;
    relayout();
}

void DialogWindow::useDpi(UINT dpi)
{
    m_dpi = dpi;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    // The system gives the font at the screen's DPI; the window may stand on another monitor.
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, int(dpi), int(dpiOf(nullptr)));
    const HFONT previous = m_font;
    m_font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (HWND child = GetWindow(m_hwnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    if (previous != nullptr)
        DeleteObject(previous);
}

INT_PTR CALLBACK DialogWindow::dialogProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto *self = reinterpret_cast<DialogWindow *>(lParam);
        self->m_hwnd = window;
        return FALSE;
    }
    auto *self = reinterpret_cast<DialogWindow *>(GetWindowLongPtrW(window, DWLP_USER));
    return self != nullptr ? self->handle(msg, wParam, lParam) : FALSE;
}

INT_PTR DialogWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_ready)
        return FALSE;
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            pressFocusedButton(); // Enter without a default button
            return TRUE;
        }
        command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, notify(*reinterpret_cast<NMHDR *>(lParam)));
        return TRUE;
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam == FALSE)
            releaseModalOwner(m_hwnd);
        return FALSE;
    case 0x02E0: { // WM_DPICHANGED: the window moved to a monitor of another DPI
        useDpi(HIWORD(wParam));
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        relayout();
        return TRUE;
    }
    default: {
        LRESULT result = 0;
        if (!message(msg, wParam, lParam, result))
            return FALSE;
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

} // namespace winui
