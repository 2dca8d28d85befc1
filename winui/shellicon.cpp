#include "winui/shellicon.h"

#include "winui/dialogwindow.h"

#include <shellapi.h>

namespace winui
{

HICON shellIcon(const std::string &utf8Path)
{
    std::wstring path = DialogWindow::wide(utf8Path);
    if (path.empty())
        return nullptr;
    // "C:\folder\" as the folder box holds it: the shell wants the folder's own name; a root keeps
    // its separator.
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    SHFILEINFOW info{};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON) == 0)
        return nullptr;
    return info.hIcon;
}

} // namespace winui
