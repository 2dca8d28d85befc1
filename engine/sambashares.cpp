#include "sambashares.h"

#include "messages.h"

#include "clientpaths.h"

#include <algorithm>

namespace engine
{
namespace
{

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The settings that decide whether clients see a dressing, as one section gives them.
struct Rules {
    std::optional<std::string> veto, storeDosAttributes, vfsObjects;

    // This section's settings, the global ones where it has none.
    Rules over(const Rules &global) const
    {
        return {veto ? veto : global.veto,
                storeDosAttributes ? storeDosAttributes : global.storeDosAttributes,
                vfsObjects ? vfsObjects : global.vfsObjects};
    }
};

// One section of the configuration as the parser meets it.
struct Section {
    std::string name;
    std::string path;
    bool printable = false;
    Rules rules;
};

bool isNo(const std::optional<std::string> &value)
{
    const std::string lower = asciiLower(value.value_or(""));
    return lower == "no" || lower == "false" || lower == "0";
}

// Samba's wildcard match, as it compares names for a Windows client (any case).
bool matches(std::string_view pattern, std::string_view name)
{
    if (pattern.empty())
        return name.empty();
    if (pattern[0] == '*')
        return matches(pattern.substr(1), name) ||
               (!name.empty() && matches(pattern, name.substr(1)));
    if (name.empty())
        return false;
    const bool same =
        pattern[0] == '?' || asciiLower(pattern.substr(0, 1)) == asciiLower(name.substr(0, 1));
    return same && matches(pattern.substr(1), name.substr(1));
}

// A "/a/b*/" list holding a pattern that matches the file's name.
bool listMatches(const std::optional<std::string> &list, std::string_view name)
{
    const std::string text = list.value_or("");
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view pattern = rest.substr(0, slash);
        if (!pattern.empty() && pattern.find('%') == std::string_view::npos &&
            matches(pattern, name))
            return true;
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    return false;
}

// Modules that keep extended attributes elsewhere than in the file system's own.
bool keepsAttributesElsewhere(const std::optional<std::string> &modules)
{
    const std::string lower = asciiLower(modules.value_or(""));
    for (const char *module : {"xattr_tdb", "posix_eadb"})
        if (lower.find(module) != std::string::npos)
            return true;
    return false;
}

// The settings of a share that keep its clients from seeing what ravo2 writes. Not among them:
// "ea support = no" (smbd still reads the stored bits) and "hide files" (it only adds hidden).
std::vector<std::string> hidingRules(const Rules &rules)
{
    std::vector<std::string> found;
    if (listMatches(rules.veto, "desktop.ini"))
        found.push_back("veto files = " + *rules.veto);
    if (isNo(rules.storeDosAttributes))
        found.push_back("store dos attributes = no");
    if (keepsAttributesElsewhere(rules.vfsObjects))
        found.push_back("vfs objects = " + *rules.vfsObjects);
    return found;
}

void setRule(Rules &rules, const std::string &key, std::string_view value)
{
    if (key == "veto files")
        rules.veto = std::string(value);
    else if (key == "store dos attributes")
        rules.storeDosAttributes = std::string(value);
    else if (key == "vfs objects" || key == "vfs object")
        rules.vfsObjects = std::string(value);
}

} // namespace

SambaShares SambaShares::parse(std::string_view configuration, std::string_view home)
{
    return parse(configuration, [home] { return std::vector<std::string>{std::string(home)}; });
}

SambaShares SambaShares::parse(std::string_view configuration,
                               const std::function<std::vector<std::string>()> &homes)
{
    std::vector<Section> sections;
    Rules global;
    std::size_t start = 0;
    while (start < configuration.size()) {
        const std::size_t end = std::min(configuration.find('\n', start), configuration.size());
        const std::string_view line = trimmed(configuration.substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[') && line.ends_with(']')) {
            sections.push_back({std::string(line.substr(1, line.size() - 2)), {}, false, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (sections.empty() || equals == std::string_view::npos || line.starts_with('#') ||
            line.starts_with(';'))
            continue;
        Section &section = sections.back();
        const std::string key = asciiLower(trimmed(line.substr(0, equals)));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == "path" || key == "directory")
            section.path = std::string(value);
        else if (key == "printable" || key == "print ok")
            section.printable = asciiLower(value) == "yes";
        else
            setRule(asciiLower(section.name) == "global" ? global : section.rules, key, value);
    }
    SambaShares shares;
    for (const Section &section : sections) {
        const std::string name = asciiLower(section.name);
        if (section.printable || name == "global")
            continue;
        std::vector<std::string> paths{section.path};
        if (section.path.empty() && name == "homes")
            paths = homes();
        for (const std::string &path : paths)
            if (path.starts_with('/') && path.find('%') == std::string::npos)
                shares.m_shares.push_back({section.name, ClientPaths::lexicallyNormal(path),
                                           hidingRules(section.rules.over(global))});
    }
    return shares;
}

std::vector<std::pair<std::string, std::string>>
SambaShares::ruleWarnings(std::string_view folder) const
{
    std::vector<std::pair<std::string, std::string>> warnings;
    for (const Share &share : m_shares)
        if (!share.rules.empty() && holds(share, folder))
            warnings.emplace_back(share.name, Messages::shareRules(share.name, share.rules));
    return warnings;
}

std::optional<std::string> SambaShares::unreachableFrom(std::string_view folder,
                                                        std::string_view file) const
{
    const Share *folderShare = nullptr;
    for (const Share &share : m_shares) {
        if (!holds(share, folder))
            continue;
        if (holds(share, file))
            return std::nullopt;
        if (folderShare == nullptr)
            folderShare = &share;
    }
    if (folderShare == nullptr)
        return std::nullopt;
    return folderShare->name;
}

std::string SambaShares::warning(std::string_view folder, std::string_view share)
{
    return Messages::outsideShare(folder, share);
}

bool SambaShares::holds(const Share &share, std::string_view path)
{
    if (share.path == "/")
        return true;
    return path.starts_with(share.path) &&
           (path.size() == share.path.size() || path[share.path.size()] == '/');
}

} // namespace engine
