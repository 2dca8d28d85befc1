#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace winui
{

// The folder picker's tree on a TreeView: the drives first, each folder's subfolders read when it
// is first expanded, so a slow share costs only the folders the user opens.
class FolderTree
{
public:
    explicit FolderTree(HWND treeView) : m_tree(treeView) {}

    void fillDrives();                        // the roots; once
    void expanding(const NMTREEVIEWW &event); // TVN_ITEMEXPANDINGW: reads the subfolders
    std::wstring pathOf(HTREEITEM item) const;
    std::wstring selectedPath() const; // empty when nothing is selected
    // Opens the path's folders one by one and selects the deepest that exists; false when not
    // even its drive is in the tree.
    bool goTo(const std::wstring &path);

private:
    HTREEITEM insert(HTREEITEM parent, const std::wstring &text, const std::wstring &path);
    void fill(HTREEITEM item);
    HTREEITEM childNamed(HTREEITEM parent, const std::wstring &name) const;
    HTREEITEM rootFor(const std::wstring &path, size_t &rest);

    HWND m_tree;
    std::vector<std::wstring> m_paths; // an item's path by the index its lParam holds
    std::vector<bool> m_filled;        // whether that item's subfolders were read
};

} // namespace winui
