#pragma once

#include <string>
#include <vector>

namespace forms
{

// The main window's folder box Text1 as the windows that edit it see it: the list of target
// folders and its edit line (the selected folder).
class FolderBoxView
{
public:
    virtual ~FolderBoxView() = default;
    virtual std::vector<std::string> folders() const = 0;
    virtual std::string currentFolder() const = 0;
    virtual void addFolder(const std::string &path) = 0; // appends and makes it the edit line
    virtual void removeFolder(int index) = 0;            // one entry; the edit line keeps its text
    virtual void clearFolders() = 0;                     // the list and the edit line
};

} // namespace forms
