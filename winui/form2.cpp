#include "winui/form2.h"

#include "winui/controlids.h"
#include "winui/modalloop.h"
#include "winui/shellicon.h"

#include <commctrl.h>

#include <algorithm>

namespace winui
{

namespace
{

// The tree's selection reaches the logic after the tree's own work is done.
constexpr UINT selectionMessage = WM_APP + 1;

} // namespace

Form2::Form2(HINSTANCE instance, HWND owner, forms::FolderBoxView &main,
             std::function<void()> readfolderini)
    : DialogWindow(instance, owner, L"Выбор папки...", 7200, 6000, true),
      FolderView1(
          add(WC_TREEVIEWW, L"",
              WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
              ids::dlgFolderView1, "FolderView1", WS_EX_CLIENTEDGE)),
      Label1(
          add(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, ids::dlgLabel1, "Label1")),
      image1(add(L"STATIC", L"", SS_OWNERDRAW, ids::dlgImage1, "image1")),
      Command1(
          add(L"BUTTON", L"Выбрать", WS_TABSTOP | BS_DEFPUSHBUTTON, ids::dlgCommand1, "Command1")),
      Command2(
          add(L"BUTTON", L"Закрыть", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand2, "Command2")),
      Command3(add(L"BUTTON", L"Перейти к...", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand3,
                   "Command3")),
      Text1(
          add(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, ids::dlgText1, "Text1", WS_EX_CLIENTEDGE)),
      m_tree(FolderView1)
{
    m_tree.fillDrives();
    m_logic.emplace(*this, main, std::move(readfolderini));
    ready();
}

Form2::~Form2()
{
    if (m_preview != nullptr)
        DestroyIcon(m_preview);
}

void Form2::showModal()
{
    m_logic->shown();
    SetFocus(FolderView1);
    runModal(hwnd(), owner());
}

void Form2::layout(int width, int height)
{
    const int margin = px(120);
    const int gap = px(90);
    const int buttonWidth = px(1335);
    const int buttonHeight = px(375);
    const int labelHeight = px(255);
    const int iconSide = std::max(GetSystemMetrics(SM_CXICON), px(480));
    const int right = width - margin - buttonWidth;
    const int bottomRow = height - margin - buttonHeight;
    const int labelTop = bottomRow - gap - labelHeight;
    place(FolderView1, margin, margin, right - gap - margin, labelTop - gap - margin);
    place(Command1, right, margin, buttonWidth, buttonHeight);
    place(Command2, right, margin + buttonHeight + gap, buttonWidth, buttonHeight);
    place(image1, right, margin + 2 * (buttonHeight + gap), iconSide, iconSide);
    place(Label1, margin, labelTop, width - 2 * margin, labelHeight);
    place(Command3, margin, bottomRow, buttonWidth, buttonHeight);
    const int textLeft = margin + buttonWidth + gap;
    place(Text1, textLeft, bottomRow, width - margin - textLeft, buttonHeight);
}

void Form2::command(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case ids::dlgCommand1:
        // Enter in the go-to field goes to the typed path; everywhere else it adds the folder.
        if (GetFocus() == Text1)
            m_logic->Command3_Click();
        else
            m_logic->Command1_Click();
        return;
    case ids::dlgCommand3:
        m_logic->Command3_Click();
        return;
    case ids::dlgCommand2:
    case IDCANCEL:
        // Only hidden: the tree, path, preview and typed path stay for the next visit.
        hide();
        return;
    default:
        return;
    }
}

LRESULT Form2::notify(const NMHDR &header)
{
    if (header.hwndFrom != FolderView1)
        return 0;
    if (header.code == TVN_ITEMEXPANDINGW)
        m_tree.expanding(reinterpret_cast<const NMTREEVIEWW &>(header));
    else if (header.code == TVN_SELCHANGEDW && !m_selectionQueued) {
        m_selectionQueued = true;
        PostMessageW(hwnd(), selectionMessage, 0, 0);
    }
    return 0;
}

bool Form2::message(UINT msg, WPARAM, LPARAM lParam, LRESULT &result)
{
    if (msg == selectionMessage) {
        selectionChanged();
        return true;
    }
    if (msg == WM_DRAWITEM) {
        const auto &item = *reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (item.hwndItem != image1)
            return false;
        drawPreview(item);
        result = TRUE;
        return true;
    }
    return false;
}

void Form2::selectionChanged()
{
    m_selectionQueued = false;
    const std::wstring path = m_tree.selectedPath();
    if (!path.empty())
        m_logic->FolderView1_SelectionChange(utf8(path));
}

void Form2::drawPreview(const DRAWITEMSTRUCT &item) const
{
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (m_preview != nullptr)
        DrawIconEx(item.hDC, 0, 0, m_preview, 0, 0, 0, nullptr, DI_NORMAL);
}

std::string Form2::selectedLabel() const
{
    return textOf(Label1);
}

void Form2::setSelectedLabel(const std::string &path)
{
    setText(Label1, path);
}

void Form2::showPreview(const std::string &path)
{
    if (m_preview != nullptr)
        DestroyIcon(m_preview);
    m_preview = shellIcon(path);
    InvalidateRect(image1, nullptr, TRUE);
}

std::string Form2::goToText() const
{
    return textOf(Text1);
}

void Form2::goTo(const std::string &path)
{
    m_tree.goTo(wide(path));
}

bool Form2::treeHasSelection() const
{
    return TreeView_GetSelection(FolderView1) != nullptr;
}

} // namespace winui
