#include "winui/runprogress.h"

#include "forms/form1logic.h"
#include "forms/uitext.h"
#include "winui/dpi.h"
#include "winui/prompttext.h"

#include <commctrl.h>

namespace winui
{
namespace
{

constexpr wchar_t kBoxClass[] = L"ravo2.RunProgress";
constexpr DWORD kShowAfterMs = 500; // shorter runs never show the box
constexpr DWORD kUpdateMs = 40;     // how often the count is drawn and the button looked at
constexpr int kBarRange = 10000;    // the bar's scale: counts beyond its range still fit

// The box in twips: count line, bar, stop button.
constexpr int kWidth = 4800, kHeight = 1560;

} // namespace

RunProgress::RunProgress(HINSTANCE instance, HWND owner)
    : m_instance(instance), m_owner(owner), m_ownerWasEnabled(IsWindowEnabled(owner) != FALSE),
      m_started(GetTickCount())
{
    // The run holds the thread: the main window must not start a second one meanwhile.
    if (m_ownerWasEnabled)
        EnableWindow(m_owner, FALSE);
}

RunProgress::~RunProgress()
{
    close();
}

engine::ProgressFn RunProgress::callback()
{
    return [this](std::size_t done, std::size_t total) { return update(done, total); };
}

bool RunProgress::update(std::size_t done, std::size_t total)
{
    const DWORD now = GetTickCount();
    if (m_box == nullptr && now - m_started >= kShowAfterMs)
        createBox();
    if (m_box != nullptr && (done == total || now - m_lastUpdate >= kUpdateMs)) {
        m_lastUpdate = now;
        SetWindowTextW(m_count, wideText(forms::Form1Logic::countText(done, total)).c_str());
        const double part = total ? double(done) / double(total) : 0.0;
        SendMessageW(m_bar, PBM_SETPOS, WPARAM(part * kBarRange), 0);
    }
    pumpMessages();
    return !m_stopped;
}

void RunProgress::finish(const engine::PassCount &)
{
    // The logic reports a stopped run itself, over the main window once it takes input again.
    close();
}

void RunProgress::createBox()
{
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = boxProc;
    type.hInstance = m_instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kBoxClass;
    RegisterClassExW(&type); // fails harmlessly when registered before
    const UINT dpi = dpiOf(m_owner);
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    const SIZE outer = outerSize(toPixels(kWidth, dpi), toPixels(kHeight, dpi), style,
                                 WS_EX_DLGMODALFRAME, false, dpi);
    RECT owner{};
    GetWindowRect(m_owner, &owner);
    const int x = owner.left + (owner.right - owner.left - outer.cx) / 2;
    const int y = owner.top + (owner.bottom - owner.top - outer.cy) / 2;
    m_box = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kBoxClass, L"ravo2", style,
                            x, y, outer.cx, outer.cy, m_owner, nullptr, m_instance, nullptr);
    if (m_box == nullptr)
        return;
    SetWindowLongPtrW(m_box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_font = createMessageFont(dpi);
    const auto add = [&](const wchar_t *kind, const wchar_t *text, DWORD flags, int id, int left,
                         int top, int width, int height) {
        const HWND control =
            CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | flags, toPixels(left, dpi),
                            toPixels(top, dpi), toPixels(width, dpi), toPixels(height, dpi), m_box,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return control;
    };
    m_count = add(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 1001, 120, 120, 4560, 255);
    m_bar = add(PROGRESS_CLASSW, L"", 0, 1002, 120, 480, 4560, 255);
    SendMessageW(m_bar, PBM_SETRANGE32, 0, kBarRange);
    const std::wstring stop = wideText(forms::uiText(UiText::StopButton));
    add(L"BUTTON", stop.c_str(), BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL, 3240, 960, 1440, 375);
    ShowWindow(m_box, SW_SHOWNORMAL);
    UpdateWindow(m_box);
}

void RunProgress::pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program is ending: the run stops and the loop that waits for it sees the quit.
            PostQuitMessage(int(message.wParam));
            m_stopped = true;
            return;
        }
        if (m_box != nullptr && IsDialogMessageW(m_box, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void RunProgress::close()
{
    if (m_ownerWasEnabled) {
        // Enabled before the box goes, so the main window is the one activated next.
        EnableWindow(m_owner, TRUE);
        m_ownerWasEnabled = false;
    }
    if (m_box != nullptr) {
        SetWindowLongPtrW(m_box, GWLP_USERDATA, 0);
        DestroyWindow(m_box);
        m_box = nullptr;
    }
    if (m_font != nullptr) {
        DeleteObject(m_font);
        m_font = nullptr;
    }
}

LRESULT CALLBACK RunProgress::boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *progress = reinterpret_cast<RunProgress *>(GetWindowLongPtrW(box, GWLP_USERDATA));
    if (progress != nullptr) {
        // The stop button, Esc, and closing the box all stop the run.
        if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE) {
            progress->m_stopped = true;
            return 0;
        }
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

} // namespace winui
