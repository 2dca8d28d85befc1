// BrowserWindow's event procedures: the window procedure, the list's notifications, the thread
// hook that gives the window dialog keys in any message loop, and the commands.
#include "vindle/browserwindow_win.h"

#include "vindle/modulestate.h"

#include <commctrl.h>
#include <commdlg.h>

#include <iterator>
#include <limits>

namespace vindle
{

LRESULT CALLBACK BrowserWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form =
            static_cast<BrowserWindow *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = reinterpret_cast<BrowserWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (threadWindow() == form)
            forgetThreadWindow();
        delete form;
        return result;
    }
    return form->onMessage(message, wParam, lParam);
}

LRESULT BrowserWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        createMenus();
        if (!createControls())
            return -1;
        // Form_Load: the report view's two columns.
        for (const wchar_t *name : {L"Иконка", L"Индекс"}) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = static_cast<int>(m_dpiX); // the list's default width, one inch
            column.pszText = const_cast<wchar_t *>(name);
            const auto position =
                SendMessageW(ListView_GetHeader(ListView1), HDM_GETITEMCOUNT, 0, 0);
            SendMessageW(ListView1, LVM_INSERTCOLUMNW, WPARAM(position),
                         reinterpret_cast<LPARAM>(&column));
        }
        m_keys = SetWindowsHookExW(WH_GETMESSAGE, dialogKeys, nullptr, GetCurrentThreadId());
        return 0;
    case WM_SIZE:
        Form_Resize();
        return 0;
    case WM_GETMINMAXINFO: {
        // Keeps the list's computed height and width positive.
        auto *limits = reinterpret_cast<MINMAXINFO *>(lParam);
        limits->ptMinTrackSize = {static_cast<LONG>(3000 * m_dpiX / 1440),
                                  static_cast<LONG>(2700 * m_dpiY / 1440)};
        return 0;
    }
    case DM_GETDEFID:
        return MAKELRESULT(idCommand2, DC_HASDEFID);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case idCommand2:
            Command2_Click();
            return 0;
        case IDCANCEL: // Escape closes without choosing, as the close box does
            close();
            return 0;
        case idCommand3:
        case idRedraw:
            refresh();
            return 0;
        case idGetf:
            mnuFileGetf_Click();
            return 0;
        case idViewBig:
            setView(LVS_ICON);
            return 0;
        case idViewList:
            setView(LVS_LIST);
            return 0;
        case idViewTable:
            setView(LVS_REPORT);
            return 0;
        }
        break;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR *>(lParam));
    case WM_CLOSE:
        close();
        return 0;
    case WM_DESTROY:
        enableOthers();
        if (m_keys != nullptr)
            UnhookWindowsHookEx(m_keys);
        m_keys = nullptr;
        if (threadWindow() == this)
            forgetThreadWindow();
        return 0;
    case WM_NCDESTROY:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT BrowserWindow::onNotify(const NMHDR &header)
{
    if (header.idFrom != idListView1)
        return 0;
    if (header.code == LVN_ITEMCHANGED) {
        // Mouse or keys: the item that became selected is the one the user points at.
        const auto &change = reinterpret_cast<const NMLISTVIEW &>(header);
        if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED))
            ListView1_ItemClick(change.iItem + 1);
    } else if (header.code == NM_CUSTOMDRAW) {
        return onCustomDraw(reinterpret_cast<const NMLVCUSTOMDRAW &>(header));
    } else if (header.code == NM_DBLCLK) {
        if (reinterpret_cast<const NMITEMACTIVATE &>(header).iItem >= 0)
            Command2_Click();
    }
    return 0;
}

// Tab, Enter and Escape work in the window whoever runs the message loop (a modeless window
// lives in the client's loop, which knows nothing of it).
LRESULT CALLBACK BrowserWindow::dialogKeys(int code, WPARAM wParam, LPARAM lParam)
{
    auto *message = reinterpret_cast<MSG *>(lParam);
    BrowserWindow *form = threadWindow();
    if (code == HC_ACTION && wParam == PM_REMOVE && form != nullptr &&
        message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST &&
        (message->hwnd == form->m_window || IsChild(form->m_window, message->hwnd))) {
        const HWND window = form->m_window;
        if (IsDialogMessageW(window, message)) {
            message->message = WM_NULL; // handled: the loop dispatches nothing
            message->hwnd = nullptr;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void BrowserWindow::refresh()
{
    const int position = ListView_GetNextItem(ListView1, -1, LVNI_SELECTED) + 1;
    readicons();
    const int count = ListView_GetItemCount(ListView1);
    // Nothing was selected, or the library shrank below that position: the first item.
    const int kept = position >= 1 && position <= count ? position : 1;
    if (count > 0) {
        ListView_SetItemState(ListView1, kept - 1, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(ListView1, kept - 1, FALSE);
    }
    setLabel2(count > 0 ? kept - 1 : 0);
}

void BrowserWindow::Command2_Click()
{
    const std::wstring text = textOf(Label2);
    wchar_t *end = nullptr;
    const long index = wcstol(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || index < std::numeric_limits<std::int16_t>::min() ||
        index > std::numeric_limits<std::int16_t>::max()) {
        MessageBeep(
            MB_ICONWARNING); // ChosenIconIndex holds 16 bits: refuse, never store a wrong one
        return;
    }
    ChosenIconIndex = static_cast<std::int16_t>(index);
    close();
}

void BrowserWindow::ListView1_ItemClick(int position)
{
    setLabel2(position - 1);
}

void BrowserWindow::mnuFileGetf_Click()
{
    wchar_t file[32768] = L"";
    // The dialog opens where the library shown lives, not in the process's current folder.
    const std::wstring library = textOf(Text1);
    const std::size_t cut = library.find_last_of(L"\\/");
    const std::wstring folder = cut == std::wstring::npos ? L"" : library.substr(0, cut + 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = m_window;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrFilter = L"*.dll;*.exe;*.ocx\0*.dll;*.exe;*.ocx\0*\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = std::size(file);
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog))
        return;
    SetWindowTextW(Text1, file);
    readicons();
}

// Positions follow the window's outer size H × W in twips.
void BrowserWindow::Form_Resize()
{
    RECT outer;
    GetWindowRect(m_window, &outer);
    auto twips = [](LONG pixels, double dpi) {
        return static_cast<int>(pixels * 1440.0 / dpi + 0.5);
    };
    const int h = twips(outer.bottom - outer.top, m_dpiY);
    const int w = twips(outer.right - outer.left, m_dpiX);
    auto x = [this](int t) { return toPixels(t, m_dpiX); };
    auto y = [this](int t) { return toPixels(t, m_dpiY); };
    auto move = [](HWND control, int left, int top) {
        SetWindowPos(control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    move(Command2, x(120), y(h - 1200));
    move(Command3, x(1680), y(h - 1200));
    RECT text;
    GetWindowRect(Text1, &text);
    SetWindowPos(Text1, nullptr, x(120), y(h - 1600), x(w - 360), text.bottom - text.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(ListView1, nullptr, x(120), y(120), x(w - 360), y(h - 1800),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    move(Label2, x(w - 1100), y(h - 1200));
    move(Label1, x(w - 1800), y(h - 1200));
}

void BrowserWindow::setView(DWORD listStyle)
{
    const LONG_PTR style = GetWindowLongPtrW(ListView1, GWL_STYLE);
    SetWindowLongPtrW(ListView1, GWL_STYLE, (style & ~LVS_TYPEMASK) | listStyle);
    // The style bits alone change the layout but leave the old view on the screen.
    const DWORD view = listStyle == LVS_REPORT ? LV_VIEW_DETAILS
                       : listStyle == LVS_LIST ? LV_VIEW_LIST
                                               : LV_VIEW_ICON;
    SendMessageW(ListView1, LVM_SETVIEW, view, 0);
    InvalidateRect(ListView1, nullptr, TRUE);
}

// The items carry no label, so the list's own selection is a faint tint over the icon: the
// selected one gets a frame in the selection colour as well.
LRESULT BrowserWindow::onCustomDraw(const NMLVCUSTOMDRAW &draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT: {
        const int item = static_cast<int>(draw.nmcd.dwItemSpec);
        const LONG_PTR view = GetWindowLongPtrW(ListView1, GWL_STYLE) & LVS_TYPEMASK;
        if (view == LVS_REPORT ||
            !(ListView_GetItemState(ListView1, item, LVIS_SELECTED) & LVIS_SELECTED))
            return CDRF_DODEFAULT;
        RECT icon;
        if (!ListView_GetItemRect(ListView1, item, &icon, LVIR_ICON))
            return CDRF_DODEFAULT;
        const HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
        // Inside the icon's own place, so no neighbour is touched.
        for (int ring = 0; ring < kSelectionFrame; ++ring) {
            FrameRect(draw.nmcd.hdc, &icon, brush);
            InflateRect(&icon, -1, -1);
        }
        return CDRF_DODEFAULT;
    }
    }
    return CDRF_DODEFAULT;
}

} // namespace vindle
