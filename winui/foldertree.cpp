#include "winui/foldertree.h"

#include <commctrl.h>

#include <algorithm>

namespace winui
{

namespace
{

bool isDots(const wchar_t *name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool sameText(const std::wstring &a, const std::wstring &b)
{
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(),
                          int(b.size())) == CSTR_EQUAL;
}

std::wstring withSeparator(std::wstring path)
{
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path;
}

// The visible subfolders of `folder`, sorted by name as Explorer sorts them.
std::vector<std::wstring> subfolders(const std::wstring &folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((withSeparator(folder) + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) == 0 && !isDots(found.cFileName))
            names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring &a, const std::wstring &b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), int(a.size()),
                              b.c_str(), int(b.size())) == CSTR_LESS_THAN;
    });
    return names;
}

} // namespace

void FolderTree::fillDrives()
{
    if (TreeView_GetRoot(m_tree) != nullptr)
        return;
    wchar_t drives[512] = {};
    const DWORD length = GetLogicalDriveStringsW(DWORD(std::size(drives) - 1), drives);
    for (const wchar_t *drive = drives; drive < drives + length && *drive != L'\0';
         drive += wcslen(drive) + 1) {
        std::wstring root(drive); // "C:\"
        insert(TVI_ROOT, root.substr(0, 2), root);
    }
}

HTREEITEM FolderTree::insert(HTREEITEM parent, const std::wstring &text, const std::wstring &path)
{
    m_paths.push_back(path);
    m_filled.push_back(false);
    TVINSERTSTRUCTW item{};
    item.hParent = parent;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    item.item.pszText = const_cast<wchar_t *>(text.c_str());
    item.item.lParam = LPARAM(m_paths.size() - 1);
    item.item.cChildren = 1; // a button until the folder is opened and found empty
    return TreeView_InsertItem(m_tree, &item);
}

void FolderTree::expanding(const NMTREEVIEWW &event)
{
    if (event.action == TVE_EXPAND)
        fill(event.itemNew.hItem);
}

void FolderTree::fill(HTREEITEM item)
{
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!TreeView_GetItem(m_tree, &data) || size_t(data.lParam) >= m_paths.size() ||
        m_filled[size_t(data.lParam)])
        return;
    m_filled[size_t(data.lParam)] = true;
    const std::wstring folder = m_paths[size_t(data.lParam)];
    const std::vector<std::wstring> names = subfolders(folder);
    for (const std::wstring &name : names)
        insert(item, name, withSeparator(folder) + name);
    if (names.empty()) {
        data.mask = TVIF_CHILDREN;
        data.cChildren = 0;
        TreeView_SetItem(m_tree, &data);
    }
}

std::wstring FolderTree::pathOf(HTREEITEM item) const
{
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (item == nullptr || !TreeView_GetItem(m_tree, &data) ||
        size_t(data.lParam) >= m_paths.size())
        return {};
    return m_paths[size_t(data.lParam)];
}

std::wstring FolderTree::selectedPath() const
{
    return pathOf(TreeView_GetSelection(m_tree));
}

HTREEITEM FolderTree::childNamed(HTREEITEM parent, const std::wstring &name) const
{
    wchar_t text[MAX_PATH];
    for (HTREEITEM child = TreeView_GetChild(m_tree, parent); child != nullptr;
         child = TreeView_GetNextSibling(m_tree, child)) {
        TVITEMW data{};
        data.mask = TVIF_TEXT;
        data.hItem = child;
        data.pszText = text;
        data.cchTextMax = int(std::size(text));
        if (TreeView_GetItem(m_tree, &data) && sameText(text, name))
            return child;
    }
    return nullptr;
}

HTREEITEM FolderTree::rootFor(const std::wstring &path, size_t &rest)
{
    for (HTREEITEM root = TreeView_GetRoot(m_tree); root != nullptr;
         root = TreeView_GetNextSibling(m_tree, root)) {
        const std::wstring prefix = pathOf(root);
        const std::wstring bare = prefix.substr(0, prefix.size() - 1); // "C:" or "\\srv\share"
        if (path.size() >= bare.size() && sameText(path.substr(0, bare.size()), bare) &&
            (path.size() == bare.size() || path[bare.size()] == L'\\')) {
            rest = bare.size();
            return root;
        }
    }
    // A network share is not a drive: it gets a root of its own once it is named.
    if (path.rfind(L"\\\\", 0) != 0)
        return nullptr;
    const size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos)
        return nullptr;
    const size_t share = path.find(L'\\', server + 1);
    const std::wstring root = path.substr(0, share);
    const DWORD attributes = GetFileAttributesW(withSeparator(root).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return nullptr;
    rest = root.size();
    return insert(TVI_ROOT, root, withSeparator(root));
}

bool FolderTree::goTo(const std::wstring &typed)
{
    fillDrives();
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(typed.c_str(), DWORD(path.size()), path.data(), nullptr);
    if (length >= path.size()) {
        path.resize(length);
        length = GetFullPathNameW(typed.c_str(), DWORD(path.size()), path.data(), nullptr);
    }
    if (length == 0 || length > path.size())
        return false;
    path.resize(length);
    size_t at = 0;
    HTREEITEM item = rootFor(path, at);
    if (item == nullptr)
        return false;
    while (at < path.size()) {
        const size_t start = path.find_first_not_of(L'\\', at);
        if (start == std::wstring::npos)
            break;
        const size_t end = std::min(path.find(L'\\', start), path.size());
        fill(item);
        const HTREEITEM child = childNamed(item, path.substr(start, end - start));
        if (child == nullptr)
            break; // the deepest folder that exists stays selected
        TreeView_Expand(m_tree, item, TVE_EXPAND);
        item = child;
        at = end;
    }
    TreeView_SelectItem(m_tree, item);
    TreeView_EnsureVisible(m_tree, item);
    return true;
}

} // namespace winui
