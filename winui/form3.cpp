#include "winui/form3.h"

#include "winui/controlids.h"
#include "winui/modalloop.h"
#include "winui/shellicon.h"

#include <algorithm>
#include <cstdint>

namespace winui
{

namespace
{

constexpr UINT_PTR iconTimer = 1;
constexpr ULONGLONG sliceMs = 15; // icons drawn per turn of the message loop

} // namespace

Form3::Form3(HINSTANCE instance, HWND owner, forms::FolderBoxView &main)
    : DialogWindow(instance, owner, L"Список папок для изменения на них иконок", 7800, 5400, true),
      List1(add(WC_LISTVIEWW, L"",
                WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                    LVS_SHAREIMAGELISTS,
                ids::dlgList1, "List1", WS_EX_CLIENTEDGE)),
      Command1(
          add(L"BUTTON", L"Удалить", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand1, "Command1")),
      Command3(
          add(L"BUTTON", L"Очистить", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand3, "Command3")),
      Command2(add(L"BUTTON", L"Выход", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand2, "Command2"))
{
    ListView_SetExtendedListViewStyle(List1, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = px(7000);
    ListView_InsertColumn(List1, 0, &column);
    ImageList1 = ImageList_Create(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                  ILC_COLOR32 | ILC_MASK, 16, 16);
    ListView_SetImageList(List1, ImageList1, LVSIL_NORMAL);
    ListView_SetImageList(List1, ImageList1, LVSIL_SMALL);
    resetImages();
    m_logic.emplace(*this, main);
    ready();
}

Form3::~Form3()
{
    if (hwnd() != nullptr)
        KillTimer(hwnd(), iconTimer);
    if (ImageList1 != nullptr)
        ImageList_Destroy(ImageList1);
}

void Form3::openList()
{
    m_logic->buildList();
    SetFocus(List1);
    runModal(hwnd(), owner());
}

void Form3::layout(int width, int height)
{
    const int margin = px(120);
    const int gap = px(120);
    const int buttonHeight = px(375);
    const int buttonWidth = (width - 2 * margin - 2 * gap) / 3;
    const int row = height - margin - buttonHeight;
    place(List1, margin, margin, width - 2 * margin, row - gap - margin);
    place(Command1, margin, row, buttonWidth, buttonHeight);
    place(Command3, margin + buttonWidth + gap, row, buttonWidth, buttonHeight);
    place(Command2, width - margin - buttonWidth, row, buttonWidth, buttonHeight);
    RECT inside;
    GetClientRect(List1, &inside);
    ListView_SetColumnWidth(List1, 0, inside.right);
}

void Form3::command(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case ids::dlgCommand1:
        m_logic->Command1_Click();
        return;
    case ids::dlgCommand3:
        m_logic->Command3_Click();
        return;
    case ids::dlgCommand2:
    case IDCANCEL:
        stopIcons(); // nobody sees the icons now; the next opening rebuilds the list
        hide();
        return;
    default:
        return;
    }
}

bool Form3::message(UINT msg, WPARAM wParam, LPARAM, LRESULT &result)
{
    if (msg != WM_TIMER || wParam != iconTimer)
        return false;
    drawSomeIcons();
    result = 0;
    return true;
}

void Form3::resetImages()
{
    ImageList_RemoveAll(ImageList1);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(ImageList1, &width, &height);
    // A picture all in the mask colour: fully transparent with or without an alpha channel.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP blank = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits != nullptr)
        std::fill_n(static_cast<std::uint32_t *>(bits), size_t(width) * size_t(height),
                    std::uint32_t(0x00FF00FF));
    ImageList_AddMasked(ImageList1, blank, RGB(255, 0, 255));
    DeleteObject(blank);
}

void Form3::setEntries(const std::vector<std::string> &folders)
{
    stopIcons();
    SendMessageW(List1, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(List1);
    resetImages();
    m_paths = folders;
    for (size_t row = 0; row < m_paths.size(); ++row) {
        std::wstring text = wide(m_paths[row]);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = int(row);
        item.pszText = text.data();
        item.iImage = 0;
        ListView_InsertItem(List1, &item);
    }
    SendMessageW(List1, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(List1, nullptr, TRUE);
    m_nextIcon = 0;
    if (!m_paths.empty())
        SetTimer(hwnd(), iconTimer, USER_TIMER_MINIMUM, nullptr);
}

void Form3::removeEntry(int row)
{
    if (row < 0 || size_t(row) >= m_paths.size())
        return;
    ListView_DeleteItem(List1, row);
    m_paths.erase(m_paths.begin() + row);
    if (size_t(row) < m_nextIcon)
        --m_nextIcon; // the icons still to draw keep their folders
}

int Form3::selectedRow() const
{
    return ListView_GetNextItem(List1, -1, LVNI_SELECTED);
}

void Form3::drawSomeIcons()
{
    const ULONGLONG start = GetTickCount64();
    while (m_nextIcon < m_paths.size() && GetTickCount64() - start < sliceMs) {
        const size_t row = m_nextIcon++;
        // A folder without an icon keeps the blank image and is still listed.
        if (HICON icon = shellIcon(m_paths[row])) {
            LVITEMW item{};
            item.mask = LVIF_IMAGE;
            item.iItem = int(row);
            item.iImage = ImageList_AddIcon(ImageList1, icon);
            DestroyIcon(icon);
            if (item.iImage >= 0)
                ListView_SetItem(List1, &item);
        }
    }
    if (m_nextIcon >= m_paths.size())
        stopIcons();
}

void Form3::stopIcons()
{
    KillTimer(hwnd(), iconTimer);
}

} // namespace winui
