#include "winui/languagewindows.h"

#include "platform/win32text_win.h"
#include "winui/form1.h"
#include "winui/prompttext.h"

namespace winui
{
namespace
{

std::wstring shownText(HWND window)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

// The language dialog's List1 (a list box): the entry whose text equals `text` becomes selected.
void selectEntry(HWND list, const std::string &text)
{
    const std::wstring wanted = wideText(text);
    const LRESULT found = SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1),
                                       reinterpret_cast<LPARAM>(wanted.c_str()));
    // A search ignores case, and an empty text matches nothing: only an exact entry is taken.
    if (found == LB_ERR)
        return;
    std::wstring entry(std::size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(found), 0)) + 1, L'\0');
    entry.resize(std::size_t(
        SendMessageW(list, LB_GETTEXT, WPARAM(found), reinterpret_cast<LPARAM>(entry.data()))));
    if (entry == wanted)
        SendMessageW(list, LB_SETCURSEL, WPARAM(found), 0);
}

std::string selectedEntry(HWND list)
{
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return {};
    std::wstring entry(std::size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(index), 0)) + 1, L'\0');
    entry.resize(std::size_t(
        SendMessageW(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(entry.data()))));
    return platform::win32::toUtf8(entry);
}

} // namespace

void LanguageWindows::setText(const forms::LanguageRow &row, const std::string &text)
{
    Window *window = m_main.window(row.window);
    if (window == nullptr)
        return;
    const std::string_view name = row.objectName != nullptr ? row.objectName : "";
    if (row.target == forms::LanguageRow::Target::WindowTitle || name.empty()) {
        SetWindowTextW(window->hwnd(), wideText(text).c_str());
        return;
    }
    if (row.window == 1 && m_main.hasMenu(name)) {
        m_main.setMenuText(name, text);
        return;
    }
    const HWND control = window->control(name);
    if (control == nullptr)
        return;
    if (row.target == forms::LanguageRow::Target::Selection) {
        selectEntry(control, text);
        return;
    }
    SetWindowTextW(control, displayText(text).c_str());
}

std::string LanguageWindows::text(const forms::LanguageRow &row) const
{
    Window *window = m_main.window(row.window);
    if (window == nullptr)
        return {};
    const std::string_view name = row.objectName != nullptr ? row.objectName : "";
    if (row.target == forms::LanguageRow::Target::WindowTitle || name.empty())
        return programText(shownText(window->hwnd()));
    if (row.window == 1 && m_main.hasMenu(name))
        return m_main.menuText(name);
    const HWND control = window->control(name);
    if (control == nullptr)
        return {};
    if (row.target == forms::LanguageRow::Target::Selection)
        return selectedEntry(control);
    return programText(shownText(control));
}

} // namespace winui
