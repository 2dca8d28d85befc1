#include "winui/form1.h"

#include "engine/startup.h"
#include "forms/form1geometry.h"
#include "platform/filesystem.h"
#include "platform/win32text_win.h"
#include "winui/controlids.h"
#include "winui/dpi.h"
#include "winui/prompter.h"
#include "winui/prompttext.h"
#include "winui/resources.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>

namespace winui
{
namespace
{

constexpr wchar_t kWindowClass[] = L"ravo2.Form1";
// A fixed frame that can be minimised: nothing in the window follows a resize.
// No WS_CLIPCHILDREN: the frames draw no background of their own, the window paints it under them.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

bool registerClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    // The rows move with the layout: a full repaint keeps the labels that moved drawn.
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(RAVO2_PROGRAM_ICON));
    type.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(RAVO2_PROGRAM_ICON),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = kWindowClass;
    return RegisterClassExW(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

bool Form1::create()
{
    if (!registerClass(m_instance, windowProc))
        return false;
    const std::wstring caption =
        platform::win32::toWide(forms::Form1Logic::caption()).value_or(L"Ravo");
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, caption.c_str(), kStyle,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                               nullptr, m_instance, nullptr);
    if (m_window == nullptr)
        return false;
    // Until now the window's messages went to DefWindowProcW: none of them needs the form.
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_dpi = dpiOf(m_window);
    m_colourBrush = CreateSolidBrush(COLORREF(m_colour));
    createMenus();
    createControls();
    fitWindow(nullptr);
    return true;
}

void Form1::show(int showCommand)
{
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *form = reinterpret_cast<Form1 *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    // An exception must not unwind through the system's frames: it is shown, the window goes on.
    try {
        return form->handle(message, wParam, lParam);
    } catch (const std::exception &e) {
        Prompter::instance().message(window, forms::MessageIcon::Critical, "ravo2",
                                     engine::startupFailureMessage({}, e.what()),
                                     forms::MessageButtons::Ok);
    }
    return 0;
}

LRESULT Form1::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (reinterpret_cast<HWND>(lParam) == control("Picture1"))
            return reinterpret_cast<LRESULT>(m_colourBrush);
        // Labels, frames, check and option buttons on the window's face, as in a dialog.
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) {
            useFont();
            placeControls();
        }
        break;
    case WM_CLOSE:
        // Closing the main window ends the program: every other window goes with it.
        DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void Form1::onCommand(int id, int code)
{
    if (m_quiet)
        return;
    switch (id) {
    case ids::Text1:
        onFolderBoxPick(code);
        return;
    case ids::Text2:
    case ids::Text4:
    case ids::Text5:
        if (code == EN_CHANGE)
            m_logic.textChanged(id == ids::Text2   ? forms::Form1Text::Text2
                                : id == ids::Text4 ? forms::Form1Text::Text4
                                                   : forms::Form1Text::Text5);
        return;
    default:
        break;
    }
    // Buttons notify with BN_CLICKED (0), menu items with 0 too.
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case ids::Check1:
    case ids::Check2:
    case ids::Check3:
        m_logic.Check_Click();
        break;
    case ids::Option1:
    case ids::mnuFileicobyFile:
        m_logic.selectIconSource(engine::IconSource::File);
        break;
    case ids::Option2:
    case ids::mnuFileicobyLib:
        m_logic.selectIconSource(engine::IconSource::Library);
        break;
    case ids::Command1:
    case ids::mnuDirSeldir:
        m_logic.Command1_Click();
        break;
    case ids::Command2:
    case ids::mnuFileSelfile:
        m_logic.Command2_Click();
        break;
    case ids::Command3:
        m_logic.Command3_Click();
        break;
    case ids::Command4:
        m_logic.Command4_Click();
        break;
    case ids::Command6:
        m_logic.Command6_Click();
        break;
    case ids::Command10:
        m_logic.Command10_Click();
        break;
    case ids::Command11:
        m_logic.Command11_Click();
        break;
    case ids::mnuFileCopyIcon: {
        const bool on = !isTicked(forms::Form1Tick::mnuFileCopyIcon);
        setTicked(forms::Form1Tick::mnuFileCopyIcon, on);
        m_logic.copyIconClicked(on);
        break;
    }
    case ids::mnuDireditlist:
        m_logic.mnuDireditlist_Click();
        break;
    case ids::mnuPrefOpt:
        m_logic.mnuPrefOpt_Click();
        break;
    case ids::mnuLngSel:
        m_logic.mnuLngSel_Click();
        break;
    case ids::mnuAbout:
        m_logic.mnuAbout_Click();
        break;
    default:
        break;
    }
}

// An entry picked from the list becomes the edit line, then its folder is read back. A pick in the
// open list counts once, when the list closes on it.
void Form1::onFolderBoxPick(int code)
{
    const HWND box = control("Text1");
    if (code == CBN_SELCHANGE && SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) {
        m_pickPending = true;
        return;
    }
    if (code == CBN_SELENDCANCEL)
        m_pickPending = false;
    if (code != CBN_SELCHANGE && !(code == CBN_SELENDOK && m_pickPending))
        return;
    m_pickPending = false;
    const LRESULT index = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    const std::vector<std::string> list = folders();
    if (std::size_t(index) >= list.size())
        return;
    m_quiet = true;
    SetWindowTextW(box, wideText(list[std::size_t(index)]).c_str());
    m_quiet = false;
    m_logic.Text1_Click();
}

LRESULT CALLBACK Form1::folderBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR form)
{
    if (message == WM_DROPFILES) {
        reinterpret_cast<Form1 *>(form)->dropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// Dropped folders join the end of the list as their path and "\"; files are skipped, and the
// edit line keeps its text.
void Form1::dropFiles(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), UINT(path.size())));
        const std::string folder = platform::win32::toUtf8(path);
        if (folder.empty() || !platform::isDirectory(folder))
            continue;
        const std::string entry = folder.back() == '\\' ? folder : folder + '\\';
        SendMessageW(control("Text1"), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wideText(entry).c_str()));
    }
    DragFinish(drop);
}

void Form1::onDpiChanged(UINT dpi, const RECT &suggested)
{
    m_dpi = dpi;
    useFont();
    placeControls();
    fitWindow(&suggested);
    InvalidateRect(m_window, nullptr, TRUE);
}

} // namespace winui
