#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform
{

// True where the paths a user picks mean nothing to a Windows reader of the folder (a client of
// a Samba share, Wine), so desktop.ini must name files in a form that reader resolves; false on
// Windows, where the path as chosen is already such a form.
bool writesClientPaths();

// The current folder, absolute, without a trailing separator; empty when it cannot be read.
std::string currentFolder();

// The user's home folder (the profile folder on Windows); empty when it is not known.
std::string homeFolder();

// Folders that hold Windows' own libraries in the Wine installation, most preferred first;
// they need not exist. Empty where Windows itself keeps them.
std::vector<std::string> wineSystemFolders();

// The home folders that Samba's [homes] share serves: root's, every ordinary user's (user ids
// from 1000 on) and $HOME; empty where Samba has no such share.
std::vector<std::string> userHomes();

// What `testparm -s` prints: Samba's configuration with its defaults. nullopt when Samba is not
// installed here or its configuration cannot be read.
std::optional<std::string> sambaConfiguration();

} // namespace platform
