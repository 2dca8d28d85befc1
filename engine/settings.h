#pragma once

#include "platform/settingsstore.h"

#include <string>

namespace engine
{

// The program's settings: application "ravo2", section "Options", with typed keys.
class Settings
{
public:
    Settings();

    bool clearListOfFolders() const; // "clearlistoffolders": empty the folder box after applying
    void setClearListOfFolders(bool on);
    bool startNewCopyOfRavo() const; // "startnewcopyofravo": allow only one running copy
    void setStartNewCopyOfRavo(bool on);
    std::string language() const; // "language": list position, 0 Russian, k the k-th file, text
    void setLanguage(int position);
    std::string delall() const; // "delall": "0" ask, "1" all, "2" selected
    void setDelall(const std::string &value);
    bool copyIconToFolder() const; // "copyicontofolder": copy the icon and picture into folders
    void setCopyIconToFolder(bool on);

private:
    bool flag(const char *key) const;

    platform::SettingsStore m_store; // the per-user store behind the keys
};

} // namespace engine
