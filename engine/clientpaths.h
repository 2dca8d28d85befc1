#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// How desktop.ini names the icon and the picture so that a Windows reader of the folder (a client
// of a Samba share, Wine) opens them, and which local file such a value names when it is read back.
// Paths are compared lexically: ".." is taken out by name and links are not followed, because a
// client resolves ".." the same way within the share's tree as the user named it.
class ClientPaths
{
public:
    // This machine's rules: whether values are translated, the current folder, Wine's folders.
    static ClientPaths forThisMachine();

    ClientPaths(bool translates, std::string currentFolder, std::vector<std::string> wineFolders);

    // The value written for the path the user chose into the desktop.ini lying in `iniFolder`.
    std::string written(std::string_view chosen, std::string_view iniFolder) const;

    // The local path that a value read from the desktop.ini lying in `iniFolder` names; a value
    // that names no local file (a Windows path, one from the root of the client's drive) is kept.
    std::string local(std::string_view value, std::string_view iniFolder) const;

    // True when the written value differs from folder to folder (an absolute local path).
    bool dependsOnFolder(std::string_view chosen) const;

    // The local file that a reader of `iniFolder` opens through the written value, absolute and
    // lexically normal; nullopt when the reader finds it by a Windows path of its own.
    std::optional<std::string> readerTarget(std::string_view chosen,
                                            std::string_view iniFolder) const;

    // A drive letter and ":", a leading "\\" or a leading %NAME%: a path every Windows reader
    // resolves on its own side.
    static bool isWindowsForm(std::string_view path);

    // One of Windows' own libraries as Wine keeps them: a file directly in Wine's folder of
    // Windows builds (".../wine/x86_64-windows", ".../wine/i386-windows") or in a prefix's
    // "windows/system32" or "windows/syswow64", whose name does not start with "wine" (those are
    // Wine's additions, which Windows lacks). Takes an absolute, lexically normal path.
    static bool isWindowsOwnLibrary(std::string_view normalPath);

    // An absolute path with ".", ".." and repeated "/" taken out by name; "/" for the root.
    static std::string lexicallyNormal(std::string_view absolutePath);

    // The folder part of a file's path (what precedes its last "/"), "/" for a file in the root.
    static std::string folderOf(std::string_view filePath);

    // A folder path made absolute against the current folder and lexically normal.
    std::string absoluteFolder(std::string_view folder) const;

private:
    std::optional<std::string> wineLibrary(std::string_view name) const;

    bool m_translates;                      // false where the chosen path is a Windows path
    std::string m_currentFolder;            // where relative folder paths start
    std::vector<std::string> m_wineFolders; // searched for %SystemRoot%\system32 names
};

// The text with its ASCII letters in lower case: how Windows and Samba compare names and keys.
std::string asciiLower(std::string_view text);

} // namespace engine
