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

// One section of the configuration as the parser meets it.
struct Section {
    std::string name;
    std::string path;
    bool printable = false;
};

} // namespace

SambaShares SambaShares::parse(std::string_view configuration, std::string_view home)
{
    SambaShares shares;
    std::optional<Section> section;
    const auto finish = [&] {
        if (!section || section->printable || asciiLower(section->name) == "global")
            return;
        std::string path = section->path;
        if (path.empty() && asciiLower(section->name) == "homes")
            path = std::string(home);
        if (path.starts_with('/') && path.find('%') == std::string::npos)
            shares.m_shares.push_back({section->name, ClientPaths::lexicallyNormal(path)});
    };
    std::size_t start = 0;
    while (start < configuration.size()) {
        const std::size_t end = std::min(configuration.find('\n', start), configuration.size());
        const std::string_view line = trimmed(configuration.substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[') && line.ends_with(']')) {
            finish();
            section = Section{std::string(line.substr(1, line.size() - 2)), {}, false};
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!section || equals == std::string_view::npos || line.starts_with('#') ||
            line.starts_with(';'))
            continue;
        const std::string key = asciiLower(trimmed(line.substr(0, equals)));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == "path" || key == "directory")
            section->path = std::string(value);
        else if (key == "printable" || key == "print ok")
            section->printable = asciiLower(value) == "yes";
    }
    finish();
    return shares;
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
