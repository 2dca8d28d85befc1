#include "clientpaths.h"

#include "folderpaths.h"
#include "platform/clientpaths.h"

#include <algorithm>

namespace engine
{
namespace
{

constexpr std::string_view kSystemFolder = "%SystemRoot%\\system32\\";

// A value split into the blanks around it and the path between them.
struct Blanked {
    std::string_view before;
    std::string_view path;
    std::string_view after;

    std::string with(std::string_view replaced) const
    {
        return std::string(before).append(replaced).append(after);
    }
};

Blanked splitBlanks(std::string_view value)
{
    const std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {value, {}, {}};
    const std::size_t end = value.find_last_not_of(" \t") + 1;
    return {value.substr(0, first), value.substr(first, end - first), value.substr(end)};
}

std::string replaced(std::string_view path, char from, char to)
{
    std::string result(path);
    std::replace(result.begin(), result.end(), from, to);
    return result;
}

std::vector<std::string_view> components(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// `target` as seen from `folder`, both absolute and normal, with "\" separators.
std::string relativePath(std::string_view target, std::string_view folder)
{
    const auto to = components(target);
    const auto from = components(folder);
    std::size_t common = 0;
    while (common < to.size() && common < from.size() && to[common] == from[common])
        ++common;
    std::string result;
    for (std::size_t i = common; i < from.size(); ++i)
        result += "..\\";
    for (std::size_t i = common; i < to.size(); ++i)
        result.append(to[i]).append(i + 1 < to.size() ? "\\" : "");
    if (result.empty())
        return ".";
    if (result.back() == '\\')
        result.pop_back();
    return result;
}

// The library name of "%SystemRoot%\system32\<name>", in any case and with either separator.
std::optional<std::string_view> systemLibraryName(std::string_view value)
{
    if (value.size() <= kSystemFolder.size())
        return std::nullopt;
    const std::string head = replaced(asciiLower(value.substr(0, kSystemFolder.size())), '/', '\\');
    const std::string_view name = value.substr(kSystemFolder.size());
    if (head != asciiLower(kSystemFolder) || name.find_first_of("\\/") != std::string_view::npos)
        return std::nullopt;
    return name;
}

} // namespace

ClientPaths ClientPaths::forThisMachine()
{
    if (!platform::writesClientPaths())
        return ClientPaths(false, {}, {});
    return ClientPaths(true, platform::currentFolder(), platform::wineSystemFolders());
}

ClientPaths::ClientPaths(bool translates, std::string currentFolder,
                         std::vector<std::string> wineFolders)
    : m_translates(translates), m_currentFolder(std::move(currentFolder)),
      m_wineFolders(std::move(wineFolders))
{
}

std::string ClientPaths::written(std::string_view chosen, std::string_view iniFolder) const
{
    const Blanked value = splitBlanks(chosen);
    if (!m_translates || value.path.empty())
        return std::string(chosen);
    if (isWindowsForm(value.path) || value.path[0] != '/')
        return value.with(replaced(value.path, '/', '\\'));
    const std::string normal = lexicallyNormal(value.path);
    if (isWindowsOwnLibrary(normal))
        return value.with(std::string(kSystemFolder) + normal.substr(normal.rfind('/') + 1));
    return value.with(relativePath(normal, absoluteFolder(iniFolder)));
}

std::string ClientPaths::local(std::string_view value, std::string_view iniFolder) const
{
    const Blanked read = splitBlanks(value);
    if (!m_translates || read.path.empty() || read.path[0] == '/')
        return std::string(value);
    if (const auto name = systemLibraryName(read.path)) {
        const auto found = wineLibrary(*name);
        return found ? read.with(*found) : std::string(value);
    }
    // A path from the root of the client's drive names nothing that can be found from here.
    if (isWindowsForm(read.path) || read.path[0] == '\\')
        return std::string(value);
    const std::string path = absoluteFolder(iniFolder) + '/' + replaced(read.path, '\\', '/');
    return read.with(lexicallyNormal(path));
}

bool ClientPaths::dependsOnFolder(std::string_view chosen) const
{
    const std::string_view path = splitBlanks(chosen).path;
    return m_translates && path.starts_with('/') && !isWindowsOwnLibrary(lexicallyNormal(path));
}

std::optional<std::string> ClientPaths::readerTarget(std::string_view chosen,
                                                     std::string_view iniFolder) const
{
    const std::string_view path = splitBlanks(chosen).path;
    if (!m_translates || path.empty() || isWindowsForm(path) || path[0] == '\\')
        return std::nullopt;
    if (path[0] != '/')
        return lexicallyNormal(absoluteFolder(iniFolder) + '/' + replaced(path, '\\', '/'));
    std::string normal = lexicallyNormal(path);
    if (isWindowsOwnLibrary(normal))
        return std::nullopt;
    return normal;
}

bool ClientPaths::isWindowsForm(std::string_view path)
{
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (drive || path.starts_with("\\\\"))
        return true;
    const std::size_t close = path.find('%', 1);
    return path.starts_with('%') && close != std::string_view::npos && close > 1 &&
           path.substr(1, close - 1).find_first_of("\\/") == std::string_view::npos;
}

bool ClientPaths::isWindowsOwnLibrary(std::string_view normalPath)
{
    const auto parts = components(normalPath);
    if (parts.size() < 3 || asciiLower(parts.back()).starts_with("wine"))
        return false;
    const std::string folder = asciiLower(parts[parts.size() - 2]);
    const std::string parent = asciiLower(parts[parts.size() - 3]);
    if (parent == "wine")
        return folder == "x86_64-windows" || folder == "i386-windows";
    // A 64-bit prefix keeps the 32-bit copies in syswow64; a client finds its own in system32.
    return parent == "windows" && (folder == "system32" || folder == "syswow64");
}

std::string ClientPaths::lexicallyNormal(std::string_view absolutePath)
{
    std::vector<std::string_view> kept;
    for (std::string_view part : components(absolutePath)) {
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
        } else if (part != ".") {
            kept.push_back(part);
        }
    }
    std::string result;
    for (std::string_view part : kept)
        result.append("/").append(part);
    return result.empty() ? "/" : result;
}

std::string ClientPaths::folderOf(std::string_view filePath)
{
    const std::size_t slash = filePath.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return slash == 0 ? "/" : std::string(filePath.substr(0, slash));
}

std::string ClientPaths::absoluteFolder(std::string_view folder) const
{
    if (folder.starts_with('/'))
        return lexicallyNormal(folder);
    return lexicallyNormal(m_currentFolder + '/' + std::string(folder));
}

std::optional<std::string> ClientPaths::wineLibrary(std::string_view name) const
{
    // Windows does not mind the case of a name; Wine's files are named in lower case.
    for (const std::string &folder : m_wineFolders) {
        for (const std::string &candidate : {std::string(name), asciiLower(name)}) {
            const std::string path = folder + '/' + candidate;
            if (fileexists(path))
                return path;
        }
    }
    return std::nullopt;
}

std::string asciiLower(std::string_view text)
{
    std::string result(text);
    for (char &c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

} // namespace engine
