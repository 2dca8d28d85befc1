// BrowserWindow's event procedures: the window procedure, the list's notifications and the
// thread hook that gives the window dialog keys in any message loop.
#include "vindle/browserwindow_win.h"

#include <commctrl.h>

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

} // namespace vindle
