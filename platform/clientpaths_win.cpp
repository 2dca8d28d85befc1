#include "clientpaths.h"

namespace platform
{

bool writesClientPaths()
{
    return false;
}

std::string currentFolder()
{
    return {};
}

std::vector<std::string> wineSystemFolders()
{
    return {};
}

std::vector<std::string> userHomes()
{
    return {};
}

std::optional<std::string> sambaConfiguration()
{
    return std::nullopt;
}

} // namespace platform
