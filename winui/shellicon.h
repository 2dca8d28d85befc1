#pragma once

#include <windows.h>

#include <string>

namespace winui
{

// The large (32x32) icon the shell shows for a file or folder (for a folder, the one its
// desktop.ini names where the shell honours it); nullptr for an empty path or when the shell has
// none. The caller destroys it.
HICON shellIcon(const std::string &utf8Path);

} // namespace winui
