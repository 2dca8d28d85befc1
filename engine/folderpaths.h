#pragma once

#include <string>

namespace engine
{

// Name of the customisation file in every dressed folder.
inline constexpr const char *kDesktopIni = "desktop.ini";

// The path of a folder's "desktop.ini": the folder path followed directly by the file name.
// A path naming an existing folder without a trailing separator gets one first, so the file lands
// inside the folder and never beside it.
std::string desktopIniPath(const std::string &folder);

// True when the path names an existing file or folder (readable attributes); false for "".
bool fileexists(const std::string &path);

} // namespace engine
