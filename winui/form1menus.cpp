// The main window's menu bar: made once, its items' texts set and read by name.
#include "platform/win32text_win.h"
#include "winui/controlids.h"
#include "winui/form1.h"
#include "winui/prompttext.h"

#include <algorithm>
#include <array>

namespace winui
{

void Form1::createMenus()
{
    struct Item {
        std::string_view name;
        int id; // 0: a menu that opens a submenu
        const wchar_t *caption;
        int level; // 0 the bar, 1 a menu, 2 the submenu
    };
    static const Item items[] = {
        {"mnuFile", 0, L"Файл", 0},
        {"mnuFileSelfile", ids::mnuFileSelfile, L"Выбрать иконку", 1},
        {"mnuFileicoby", 0, L"Иконка из", 1},
        {"mnuFileicobyFile", ids::mnuFileicobyFile, L"Файла", 2},
        {"mnuFileicobyLib", ids::mnuFileicobyLib, L"Библиотеки", 2},
        {"mnuFileCopyIcon", ids::mnuFileCopyIcon, L"Копировать иконку в папку", 1},
        {"mnuDir", 0, L"Папка", 0},
        {"mnuDirSeldir", ids::mnuDirSeldir, L"Выбрать папку...", 1},
        {"mnuDireditlist", ids::mnuDireditlist, L"Редактировать список...", 1},
        {"mnuPref", 0, L"Настройки", 0},
        {"mnuPrefOpt", ids::mnuPrefOpt, L"Опции", 1},
        {"mnuLng", 0, L"Язык(Language)", 0},
        {"mnuLngSel", ids::mnuLngSel, L"Сменить...(Change...)", 1},
        {"mnuHlp", 0, L"Справка", 0},
        {"mnuAbout", ids::mnuAbout, L"О программе...", 1},
    };
    m_bar = CreateMenu();
    std::array<HMENU, 3> open{m_bar, nullptr, nullptr}; // the menu of each level being filled
    for (const Item &item : items) {
        const HMENU parent = open[std::size_t(item.level)];
        const UINT position = UINT(GetMenuItemCount(parent));
        if (item.id == 0) {
            const HMENU popup = CreatePopupMenu();
            AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        item.caption);
            open[std::size_t(item.level) + 1] = popup;
        } else {
            AppendMenuW(parent, MF_STRING, UINT_PTR(item.id), item.caption);
        }
        m_menus.push_back({item.name, parent, position});
    }
    CheckMenuRadioItem(m_bar, ids::mnuFileicobyFile, ids::mnuFileicobyLib, ids::mnuFileicobyFile,
                       MF_BYCOMMAND);
    SetMenu(m_window, m_bar);
}

bool Form1::hasMenu(std::string_view name) const
{
    return std::any_of(m_menus.begin(), m_menus.end(),
                       [name](const MenuEntry &entry) { return entry.name == name; });
}

std::string Form1::menuText(std::string_view name) const
{
    for (const MenuEntry &entry : m_menus) {
        if (entry.name != name)
            continue;
        wchar_t text[512] = {};
        GetMenuStringW(entry.parent, entry.position, text, int(std::size(text)), MF_BYPOSITION);
        return platform::win32::toUtf8(text);
    }
    return {};
}

void Form1::setMenuText(std::string_view name, const std::string &text)
{
    for (const MenuEntry &entry : m_menus) {
        if (entry.name != name)
            continue;
        std::wstring wide = displayText(text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = wide.data();
        SetMenuItemInfoW(entry.parent, entry.position, TRUE, &info);
        if (entry.parent == m_bar)
            DrawMenuBar(m_window);
    }
}

} // namespace winui
