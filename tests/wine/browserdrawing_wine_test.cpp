// What the browser window puts on the screen, read back from the display (Xvfb under Wine): each
// region must look as a full repaint draws it, and the selection must stand out.
#include "browserwindowfixture.h"
#include "screenshot.h"

#include <commdlg.h>

#include <cstdint>
#include <string>
#include <vector>

using vindle::BrowserWindow;

namespace
{

// Lets the window paint and Wine hand its surfaces to the X server: 0.3 s of messages.
void settle()
{
    int rounds = 0;
    pumpUntil([&rounds] { return ++rounds > 30; });
}

class BrowserDrawingTest : public BrowserWindowTest
{
protected:
    RECT screenRect(int id)
    {
        RECT r;
        GetWindowRect(GetDlgItem(m_form, id), &r);
        return r;
    }
    // The same region after the whole window was painted again from nothing.
    Screenshot repainted(RECT r)
    {
        RedrawWindow(m_form, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        settle();
        return Screenshot::ofRect(r);
    }
};

} // namespace

// Each view shows as soon as it is chosen, not when something else happens to repaint the list.
TEST_F(BrowserDrawingTest, AViewShowsAsSoonAsItIsChosen)
{
    ASSERT_NO_FATAL_FAILURE(open("four.dll"));
    SetWindowPos(m_form, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE);
    settle();
    const RECT list = screenRect(BrowserWindow::idListView1);
    Screenshot shown = Screenshot::ofRect(list);
    for (const int id :
         {BrowserWindow::idViewTable, BrowserWindow::idViewList, BrowserWindow::idViewBig}) {
        command(id);
        settle();
        const Screenshot now = Screenshot::ofRect(list);
        EXPECT_GT(now.differing(shown), 0u) << "view " << id << " left the old one on screen";
        EXPECT_EQ(now.differing(repainted(list)), 0u) << "view " << id;
        shown = now;
    }
}

// Growing the window keeps the labels drawn.
TEST_F(BrowserDrawingTest, GrowingTheWindowKeepsTheLabels)
{
    ASSERT_NO_FATAL_FAILURE(open("four.dll"));
    SetWindowPos(m_form, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE);
    settle();
    RECT outer;
    GetWindowRect(m_form, &outer);
    for (int step = 1; step <= 3; ++step) {
        SetWindowPos(m_form, nullptr, 0, 0, outer.right - outer.left + 40 * step,
                     outer.bottom - outer.top + 30 * step, SWP_NOMOVE | SWP_NOZORDER);
        settle();
        for (const int id : {BrowserWindow::idLabel1, BrowserWindow::idLabel2}) {
            const RECT label = screenRect(id);
            const Screenshot now = Screenshot::ofRect(label);
            EXPECT_GT(now.countOf(Screenshot::rgb(GetSysColor(COLOR_BTNTEXT))), 0u)
                << "label " << id << " blank after growing, step " << step;
            EXPECT_EQ(now.differing(repainted(label)), 0u) << "label " << id;
        }
    }
}

// The selected icon is framed in the selection colour in the icon and list views; the others not.
TEST_F(BrowserDrawingTest, TheSelectionStandsOutInTheIconAndListViews)
{
    ASSERT_NO_FATAL_FAILURE(open("four.dll"));
    SetWindowPos(m_form, HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE);
    SetFocus(GetDlgItem(m_form, BrowserWindow::idText1)); // the path box has the focus
    const std::uint32_t highlight = Screenshot::rgb(GetSysColor(COLOR_HIGHLIGHT));
    for (const int id : {BrowserWindow::idViewBig, BrowserWindow::idViewList}) {
        command(id);
        select(1);
        settle();
        POINT origin{0, 0};
        ClientToScreen(m_list, &origin);
        for (int item = 0; item < 3; ++item) {
            RECT icon;
            ListView_GetItemRect(m_list, item, &icon, LVIR_ICON);
            OffsetRect(&icon, origin.x, origin.y);
            const std::size_t framed = Screenshot::ofRect(icon).countOf(highlight);
            if (item == 1)
                EXPECT_GE(framed, std::size_t(4 * (icon.right - icon.left)))
                    << "view " << id << ": the selected icon hardly shows";
            else
                EXPECT_EQ(framed, 0u) << "view " << id << ", item " << item;
        }
    }
}

namespace
{

std::wstring s_dialogFolder;

BOOL CALLBACK findFileDialog(HWND window, LPARAM found)
{
    wchar_t kind[16] = L"";
    GetClassNameW(window, kind, 16);
    if (std::wstring(kind) == L"#32770" && IsWindowVisible(window))
        *reinterpret_cast<HWND *>(found) = window;
    return TRUE;
}

// Runs inside the file dialog's loop: reads the folder it shows and cancels it.
void CALLBACK readDialogFolderAndCancel(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findFileDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    KillTimer(nullptr, id);
    wchar_t folder[MAX_PATH] = L"";
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    s_dialogFolder = folder;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

// "Указать путь" opens in the folder of the library shown, not in the process's current folder.
TEST_F(BrowserDrawingTest, ChoosingAnotherLibraryStartsInTheShownLibrarysFolder)
{
    ASSERT_NO_FATAL_FAILURE(open("four.dll"));
    s_dialogFolder.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, readDialogFolderAndCancel);
    command(BrowserWindow::idGetf);
    KillTimer(nullptr, timer);
    std::wstring expected = textOf(GetDlgItem(m_form, BrowserWindow::idText1));
    expected.resize(expected.find_last_of(L'\\'));
    EXPECT_EQ(CompareStringOrdinal(s_dialogFolder.c_str(), -1, expected.c_str(), -1, TRUE),
              CSTR_EQUAL)
        << "opened in "
        << platform::utf16ToUtf8(std::u16string(s_dialogFolder.begin(), s_dialogFolder.end()));
}
