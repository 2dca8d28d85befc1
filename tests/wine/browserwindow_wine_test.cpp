// The Win32 browser window in process, opened modeless through the server's BrowserHost on
// fixture libraries whose icons each have their own colour.
#include "browserwindowfixture.h"

using namespace iconfixtures;
using vindle::BrowserWindow;

namespace
{

// The colour 0xRRGGBB at the centre of picture `index` of `list`.
long pictureColour(HIMAGELIST list, int index)
{
    int width = 0, height = 0;
    ImageList_GetIconSize(list, &width, &height);
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    GdiFlush();
    const std::uint32_t pixel = static_cast<std::uint32_t *>(bits)[height / 2 * width + width / 4];
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return static_cast<long>(pixel & 0xFFFFFF);
}

} // namespace

TEST_F(BrowserWindowTest, ItemKShowsIconKMinusOneAndEnterChoosesTheSelectedOne)
{
    ASSERT_NO_FATAL_FAILURE(open("four.dll"));
    ASSERT_EQ(ListView_GetItemCount(m_list), 4);
    const HIMAGELIST large = ListView_GetImageList(m_list, LVSIL_NORMAL);
    const HIMAGELIST small = ListView_GetImageList(m_list, LVSIL_SMALL);
    ASSERT_EQ(ImageList_GetImageCount(large), 4);
    ASSERT_EQ(ImageList_GetImageCount(small), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pictureColour(large, i), long(colourOf(i, 32))) << "large " << i;
        EXPECT_EQ(pictureColour(small, i), long(colourOf(i, 16))) << "small " << i;
        wchar_t index[16] = L"";
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = index;
        item.cchTextMax = 16;
        SendMessageW(m_list, LVM_GETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::wstring(index), std::to_wstring(i));
    }
    EXPECT_EQ(textOf(m_label2), L"0");

    select(2);
    EXPECT_EQ(textOf(m_label2), L"2");
    // Enter in the path box presses the choose button, in the client's own message loop.
    PostMessageW(GetDlgItem(m_form, BrowserWindow::idText1), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(pumpUntil([] { return BrowserWindow::threadWindow() == nullptr; }));
    EXPECT_EQ(vindle::ChosenIconIndex, 2);
}

TEST_F(BrowserWindowTest, RefreshViewsAndResizeKeepTheWindowsState)
{
    ASSERT_NO_FATAL_FAILURE(open("four.dll"));
    select(3);
    command(BrowserWindow::idCommand3);
    EXPECT_EQ(ListView_GetItemCount(m_list), 4);
    EXPECT_EQ(ListView_GetNextItem(m_list, -1, LVNI_SELECTED), 3);
    EXPECT_EQ(textOf(m_label2), L"3");

    const std::pair<int, LONG_PTR> views[] = {{BrowserWindow::idViewTable, LVS_REPORT},
                                              {BrowserWindow::idViewList, LVS_LIST},
                                              {BrowserWindow::idViewBig, LVS_ICON}};
    for (const auto &[id, style] : views) {
        command(id);
        EXPECT_EQ(GetWindowLongPtrW(m_list, GWL_STYLE) & LVS_TYPEMASK, style) << id;
        EXPECT_EQ(ListView_GetItemCount(m_list), 4) << id;
    }

    // Wider and taller by (dx, dy): the labels move right and down, the buttons and the path box
    // down, and the list grows by both.
    RECT before;
    GetWindowRect(m_form, &before);
    const RECT label2 = placeOf(BrowserWindow::idLabel2),
               button = placeOf(BrowserWindow::idCommand2);
    const RECT list = placeOf(BrowserWindow::idListView1), text = placeOf(BrowserWindow::idText1);
    constexpr LONG dx = 150, dy = 90;
    SetWindowPos(m_form, nullptr, 0, 0, before.right - before.left + dx,
                 before.bottom - before.top + dy, SWP_NOMOVE | SWP_NOZORDER);
    auto moved = [&](int id, const RECT &was) {
        const RECT now = placeOf(id);
        return std::pair{(now.left - before.left) - (was.left - before.left),
                         (now.top - before.top) - (was.top - before.top)};
    };
    EXPECT_EQ(moved(BrowserWindow::idLabel2, label2), std::pair(dx, dy));
    EXPECT_EQ(moved(BrowserWindow::idCommand2, button), std::pair(0L, dy));
    EXPECT_EQ(moved(BrowserWindow::idText1, text), std::pair(0L, dy));
    const RECT grown = placeOf(BrowserWindow::idListView1);
    EXPECT_EQ((grown.right - grown.left) - (list.right - list.left), dx);
    EXPECT_EQ((grown.bottom - grown.top) - (list.bottom - list.top), dy);

    // The close box keeps the earlier choice; the surface stays for ShowIcon.
    SendMessageW(m_form, WM_CLOSE, 0, 0);
    EXPECT_EQ(BrowserWindow::threadWindow(), nullptr);
    EXPECT_EQ(vindle::ChosenIconIndex, 0);
    EXPECT_NE(vindle::DrawingSurface, nullptr);
}

TEST_F(BrowserWindowTest, ADamagedOrMissingLibraryGivesAnEmptyList)
{
    Layout layout;
    Bytes file = buildModule(plainModule(3), &layout);
    file.resize(layout.sectionStart);
    ASSERT_TRUE(writeFile(m_folder / "cut.dll", file));
    for (const char *name : {"cut.dll", "missing.dll"}) {
        ASSERT_NO_FATAL_FAILURE(open(name));
        EXPECT_EQ(ListView_GetItemCount(m_list), 0) << name;
    }
}

namespace
{

HWND s_caller;
int s_callerEnabledMeanwhile;

// Runs inside the modal loop: picks the second icon and presses the choose button.
void CALLBACK chooseSecondIcon(HWND, UINT, UINT_PTR id, DWORD)
{
    BrowserWindow *form = BrowserWindow::threadWindow();
    if (form == nullptr || !IsWindowVisible(form->handle()))
        return;
    KillTimer(nullptr, id);
    s_callerEnabledMeanwhile = IsWindowEnabled(s_caller) ? 1 : 0;
    const HWND list = GetDlgItem(form->handle(), BrowserWindow::idListView1);
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    SendMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(BrowserWindow::idCommand2, 0), 0);
}

} // namespace

// Modal: the call returns only once the window has closed, the caller's window takes no input
// meanwhile and gets it back afterwards.
TEST_F(BrowserWindowTest, AModalShowingDisablesTheCallersWindowUntilTheChoice)
{
    const HWND caller = CreateWindowExW(0, L"STATIC", L"caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(caller, nullptr);
    s_caller = caller;
    s_callerEnabledMeanwhile = -1;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, chooseSecondIcon);
    const std::u16string path = platform::utf8ToUtf16(m_folder / "four.dll");
    EXPECT_EQ(vindle::componentServices().browser.open(path, 1), S_OK);
    KillTimer(nullptr, timer);
    EXPECT_EQ(BrowserWindow::threadWindow(), nullptr);
    EXPECT_EQ(vindle::ChosenIconIndex, 1);
    EXPECT_EQ(s_callerEnabledMeanwhile, 0);
    EXPECT_TRUE(IsWindowEnabled(caller));
    DestroyWindow(caller);
}
