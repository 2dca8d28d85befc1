#pragma once

#include <string>

namespace engine
{

// Name of the customisation file in every dressed folder.
inline constexpr const char *kDesktopIni = "desktop.ini";

// The path of a folder's "desktop.ini": the folder path followed directly by the file name.
// A path without a trailing separator gets one first, whether the folder exists or not, so the
// file lands inside a folder and never beside one (a file's path then fails with ENOTDIR).
std::string desktopIniPath(const std::string &folder);

// True when the path names an existing file or folder (readable attributes); false for "".
bool fileexists(const std::string &path);

} // namespace engine
