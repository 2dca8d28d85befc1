#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace engine
{

// The folders that Samba shares, as `testparm -s` lists them, and what a client of a share can
// reach from a folder in it.
class SambaShares
{
public:
    // Reads the shares of `testparm -s` output: every section but [global] and printers; [homes]
    // without a path of its own stands for `home`. A path holding a variable ("%U") is left out,
    // since whose folder it names is only known at connection time.
    static SambaShares parse(std::string_view configuration, std::string_view home);

    // The same with [homes] standing for each folder `homes` lists (every user's, as Samba serves
    // them); it is asked only when [homes] has no path of its own.
    static SambaShares parse(std::string_view configuration,
                             const std::function<std::vector<std::string>()> &homes);

    // The name of the share holding `folder` when no share holding it also holds `file` (both
    // absolute and lexically normal): its client cannot open the file. nullopt when one can, or
    // when no share holds the folder (no client sees it).
    std::optional<std::string> unreachableFrom(std::string_view folder,
                                               std::string_view file) const;

    // The warning that names a folder whose icon or picture the clients of `share` cannot open.
    static std::string warning(std::string_view folder, std::string_view share);

    bool empty() const { return m_shares.empty(); }

    // Each share holding `folder` whose rules keep its clients from seeing a dressing: its name
    // and the warning that names it and those rules.
    std::vector<std::pair<std::string, std::string>> ruleWarnings(std::string_view folder) const;

private:
    struct Share {
        std::string name;               // as in the section header
        std::string path;               // absolute and lexically normal
        std::vector<std::string> rules; // its settings that hide a dressing from clients
    };

    static bool holds(const Share &share, std::string_view path);

    std::vector<Share> m_shares; // in the configuration's order
};

} // namespace engine
