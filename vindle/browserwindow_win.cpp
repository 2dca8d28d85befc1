#include "vindle/browserwindow_win.h"

#include "vindle/componentservices.h"
#include "vindle/cscrab.h"
#include "vindle/cscrabinterface.h"
#include "vindle/modulestate.h"
#include "vindle/picturesurface_win.h"
#include "vindle/thismodule_win.h"

#include <algorithm>
#include <commctrl.h>
#include <memory>

namespace vindle
{

namespace
{

constexpr wchar_t windowClass[] = L"ravo2.vindle.Form1";
constexpr wchar_t title[] = L"Просмотр иконок в библиотеках";

thread_local BrowserWindow *currentWindow = nullptr;

// CurrentLibrary: the instance of the library shown last; it outlives the window.
std::unique_ptr<CScrab> &currentLibrary()
{
    thread_local std::unique_ptr<CScrab> library;
    return library;
}

// Pictempicon's image outlives the window too, so ShowIcon keeps a surface in this thread.
PictureSurface &threadSurface()
{
    thread_local std::unique_ptr<PictureSurface> surface = std::make_unique<PictureSurface>();
    return *surface;
}

} // namespace

int BrowserWindow::toPixels(int twips, double dpi)
{
    return static_cast<int>(twips * dpi / 1440.0 + 0.5);
}

std::wstring BrowserWindow::textOf(HWND control)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), int(text.size()))));
    return text;
}

BrowserWindow *BrowserWindow::threadWindow()
{
    return currentWindow;
}

void BrowserWindow::forgetThreadWindow()
{
    currentWindow = nullptr;
}

BrowserWindow *BrowserWindow::create(HRESULT &status)
{
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    // Resizing moves the labels: without a full repaint the grown window shows them blank.
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = windowProc;
    type.hInstance = thisModule();
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    type.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    type.lpszClassName = windowClass;
    RegisterClassExW(&type); // fails harmlessly when registered before
    auto *form = new BrowserWindow;
    HDC screen = GetDC(nullptr);
    form->m_dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    form->m_dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT outer{0, 0, toPixels(6015, form->m_dpiX), toPixels(4815, form->m_dpiY)};
    AdjustWindowRectEx(&outer, style, TRUE, 0);
    currentWindow = form;
    const HWND window = CreateWindowExW(0, windowClass, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                        outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                        nullptr, thisModule(), form);
    if (window == nullptr) {
        status = HRESULT_FROM_WIN32(GetLastError());
        // A window that got as far as WM_NCCREATE deleted the form on its WM_NCDESTROY.
        if (currentWindow == form)
            delete form;
        currentWindow = nullptr;
        return nullptr;
    }
    status = S_OK;
    return form;
}

bool BrowserWindow::createControls()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    m_font = CreateFontIndirectW(&metrics.lfMessageFont);
    auto add = [this](DWORD exStyle, const wchar_t *kind, const wchar_t *text, DWORD style, int id,
                      int left, int top, int width, int height) {
        const HWND control = CreateWindowExW(
            exStyle, kind, text, WS_CHILD | WS_VISIBLE | style, toPixels(left, m_dpiX),
            toPixels(top, m_dpiY), toPixels(width, m_dpiX), toPixels(height, m_dpiY), m_window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), thisModule(), nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
        return control;
    };
    ListView1 = add(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                    WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                        LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE,
                    idListView1, 120, 120, 5775, 3735);
    Text1 = add(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, idText1, 120, 3960,
                5775, 285);
    Command2 = add(0, L"BUTTON", L"Выбрать иконку", WS_TABSTOP | BS_DEFPUSHBUTTON, idCommand2, 120,
                   4320, 1455, 375);
    Command3 = add(0, L"BUTTON", L"Обновить", WS_TABSTOP | BS_PUSHBUTTON, idCommand3, 1680, 4320,
                   1215, 375);
    const RECT picture{toPixels(5160, m_dpiX), toPixels(3120, m_dpiY), toPixels(5160 + 615, m_dpiX),
                       toPixels(3120 + 495, m_dpiY)};
    threadSurface().createWindow(m_window, picture);
    Label1 = add(0, L"STATIC", L"Индекс:", SS_LEFT, idLabel1, 4440, 4320, 615, 195);
    Label2 = add(0, L"STATIC", L"0", SS_LEFT, idLabel2, 5160, 4320, 90, 195);
    setLabel2(0);
    ListView_SetBkColor(ListView1, GetSysColor(COLOR_BTNFACE));
    ListView_SetTextBkColor(ListView1, GetSysColor(COLOR_BTNFACE));
    ListView_SetTextColor(ListView1, GetSysColor(COLOR_WINDOWTEXT));
    return ListView1 && Text1 && Command2 && Command3 && Label1 && Label2;
}

void BrowserWindow::createMenus()
{
    HMENU bar = CreateMenu();
    HMENU mnuFile = CreatePopupMenu();
    AppendMenuW(mnuFile, MF_STRING, idGetf, L"Указать путь");
    HMENU mnuView = CreatePopupMenu();
    AppendMenuW(mnuView, MF_STRING, idRedraw, L"Обновить");
    AppendMenuW(mnuView, MF_SEPARATOR, 0, nullptr); // mnuViewsep
    AppendMenuW(mnuView, MF_STRING, idViewBig, L"Большие иконки");
    AppendMenuW(mnuView, MF_STRING, idViewList, L"Список");
    AppendMenuW(mnuView, MF_STRING, idViewTable, L"Таблица");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mnuFile), L"Файл");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(mnuView), L"Вид");
    SetMenu(m_window, bar);
}

void BrowserWindow::setPath(const std::u16string &path)
{
    SetWindowTextW(Text1, reinterpret_cast<const wchar_t *>(path.c_str()));
}

HRESULT BrowserWindow::readicons()
{
    const ComponentServices services = componentServices();
    // Releasing the previous instance destroys its handles.
    currentLibrary() = std::make_unique<CScrab>(services.icons, services.browser);
    CScrab &scrab = *currentLibrary();
    PictureSurface &surface = threadSurface();
    SetDrawingSurface(&surface);
    const std::wstring path = textOf(Text1);
    scrab.setFileName(std::u16string(path.begin(), path.end()));
    ListView_DeleteAllItems(ListView1);
    ListView_SetImageList(ListView1, nullptr, LVSIL_NORMAL);
    ListView_SetImageList(ListView1, nullptr, LVSIL_SMALL);
    for (HIMAGELIST list : {imgLargeIcon, imgSmalIcon}) {
        if (list != nullptr)
            ImageList_RemoveAll(list);
    }
    const int count = scrab.numberIcons();
    if (count == 0)
        return S_OK;
    for (int i = 0; i < count; ++i) {
        for (const int size : {int(LargeIcon), int(SmallIcon)}) {
            if (const HRESULT status = scrab.showIcon(i, size); FAILED(status))
                return status;
            HIMAGELIST &list = size == LargeIcon ? imgLargeIcon : imgSmalIcon;
            // An image list takes the size of its first picture, as the surface makes them.
            if (i == 0) {
                if (list != nullptr)
                    ImageList_Destroy(list);
                const SIZE side = surface.imageSize();
                list = ImageList_Create(side.cx, side.cy, ILC_COLOR32 | ILC_MASK, count, 16);
            }
            HBITMAP picture = surface.copyImage();
            ImageList_Add(list, picture, nullptr);
            DeleteObject(picture);
        }
    }
    ListView_SetImageList(ListView1, imgLargeIcon, LVSIL_NORMAL);
    ListView_SetImageList(ListView1, imgSmalIcon, LVSIL_SMALL);
    SendMessageW(ListView1, WM_SETREDRAW, FALSE, 0);
    for (int k = 1; k <= count; ++k) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = k - 1;
        item.pszText = const_cast<wchar_t *>(L"");
        item.iImage = k - 1;
        SendMessageW(ListView1, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        std::wstring index = std::to_wstring(k - 1);
        LVITEMW subItem{};
        subItem.iSubItem = 1;
        subItem.pszText = index.data();
        SendMessageW(ListView1, LVM_SETITEMTEXTW, WPARAM(k - 1),
                     reinterpret_cast<LPARAM>(&subItem));
    }
    SendMessageW(ListView1, WM_SETREDRAW, TRUE, 0);
    setLabel2(0);
    return S_OK;
}

void BrowserWindow::showWith(unsigned char modal)
{
    const HWND window = m_window;
    if (!modal) {
        ShowWindow(window, SW_SHOW);
        SetFocus(ListView1);
        return;
    }
    // The modal rule: the thread's other windows take no input until this one closes.
    EnumThreadWindows(GetCurrentThreadId(), disableOther, reinterpret_cast<LPARAM>(this));
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(ListView1);
    MSG message;
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // A quit request ends the modal showing and stays for the caller's own loop.
            DestroyWindow(window);
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0)
            break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A named callback: a lambda does not convert to 32-bit Windows' stdcall function pointers.
BOOL CALLBACK BrowserWindow::disableOther(HWND other, LPARAM self)
{
    auto *form = reinterpret_cast<BrowserWindow *>(self);
    if (other != form->m_window && IsWindowVisible(other) && IsWindowEnabled(other)) {
        EnableWindow(other, FALSE);
        form->m_disabled.push_back(other);
    }
    return TRUE;
}

// Label2 sizes itself to its text.
void BrowserWindow::setLabel2(int value)
{
    const std::wstring text = std::to_wstring(value);
    SetWindowTextW(Label2, text.c_str());
    HDC dc = GetDC(Label2);
    HGDIOBJ previous = SelectObject(dc, m_font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(Label2, dc);
    SetWindowPos(Label2, nullptr, 0, 0, extent.cx, std::max<LONG>(extent.cy, 1),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The disabled windows come back before this one goes, so activation returns to them.
void BrowserWindow::close()
{
    enableOthers();
    DestroyWindow(m_window);
}

void BrowserWindow::enableOthers()
{
    for (HWND other : m_disabled) {
        if (IsWindow(other))
            EnableWindow(other, TRUE);
    }
    m_disabled.clear();
}

} // namespace vindle
