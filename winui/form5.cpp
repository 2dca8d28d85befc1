#include "winui/form5.h"

#include "winui/controlids.h"
#include "winui/modalloop.h"
#include "winui/prompter.h"

namespace winui
{

Form5::Form5(HINSTANCE instance, HWND owner, forms::LanguageTargets &windows,
             engine::Settings &settings)
    : DialogWindow(instance, owner, L"Сменить язык интерфейса", 7200, 3600, true),
      List1(add(L"LISTBOX", L"", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                ids::dlgList1, "List1", WS_EX_CLIENTEDGE)),
      Command1(
          add(L"BUTTON", L"Установить", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand1, "Command1")),
      Command2(add(L"BUTTON", L"Отмена", WS_TABSTOP | BS_PUSHBUTTON, ids::dlgCommand2, "Command2")),
      m_windows(windows), m_settings(settings)
{
    ready();
}

forms::Form5Logic &Form5::logic()
{
    // Made once this window is one of the six its logic reads the built-in texts from.
    if (!m_logic)
        m_logic.emplace(*this, m_windows, m_settings);
    return *m_logic;
}

void Form5::openDialog()
{
    logic().Form_Load(); // the first opening only
    SetFocus(List1);
    runModal(hwnd(), owner());
}

void Form5::layout(int width, int height)
{
    const int margin = px(120);
    const int buttonWidth = px(1335);
    const int buttonHeight = px(375);
    const int right = width - margin - buttonWidth;
    place(List1, margin, margin, right - px(120) - margin, height - 2 * margin);
    place(Command1, right, margin, buttonWidth, buttonHeight);
    place(Command2, right, margin + buttonHeight + px(90), buttonWidth, buttonHeight);
}

void Form5::command(int id, int code)
{
    if (id == ids::dlgList1 && code == LBN_DBLCLK) {
        logic().Command1_Click(); // a double click sets the language as "Установить" does
        return;
    }
    if (code != BN_CLICKED)
        return;
    if (id == ids::dlgCommand1)
        logic().Command1_Click();
    else if (id == ids::dlgCommand2)
        logic().Command2_Click();
    else if (id == IDCANCEL)
        hide(); // Esc and the close box store nothing; the applied texts stay
}

void Form5::setEntries(const std::vector<forms::LanguageEntry> &entries)
{
    SendMessageW(List1, LB_RESETCONTENT, 0, 0);
    for (const forms::LanguageEntry &entry : entries)
        SendMessageW(List1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(entry.name).c_str()));
}

int Form5::selectedRow() const
{
    const LRESULT row = SendMessageW(List1, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : int(row);
}

void Form5::selectRow(int row)
{
    SendMessageW(List1, LB_SETCURSEL, WPARAM(row), 0);
}

forms::Answer Form5::message(forms::MessageIcon icon, const std::string &title,
                             const std::string &text, forms::MessageButtons buttons)
{
    return Prompter::instance().message(hwnd(), icon, title, text, buttons);
}

std::optional<std::string> Form5::openFile(const std::string &filter,
                                           const std::string &initialFile)
{
    return Prompter::instance().openFile(hwnd(), filter, initialFile);
}

std::optional<std::uint32_t> Form5::chooseColour(std::uint32_t initial)
{
    return Prompter::instance().chooseColour(hwnd(), initial);
}

} // namespace winui
