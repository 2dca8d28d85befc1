#include "clientpaths.h"

#include "win32text_win.h"

#include <windows.h>

namespace platform
{

bool writesClientPaths()
{
    return false;
}

std::string currentFolder()
{
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(needed, L'\0');
    const DWORD length = needed ? GetCurrentDirectoryW(needed, folder.data()) : 0;
    if (length == 0 || length >= needed)
        return {};
    folder.resize(length);
    return win32::toUtf8(folder);
}

std::string homeFolder()
{
    std::wstring profile(32768, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", profile.data(), 32768);
    return length > 0 && length < 32768 ? win32::toUtf8(profile.substr(0, length)) : std::string();
}

std::vector<std::string> wineSystemFolders()
{
    return {};
}

std::vector<std::string> userHomes()
{
    return {};
}

std::optional<std::string> sambaConfiguration()
{
    return std::nullopt;
}

} // namespace platform
