#include "sysversion.h"

#include "platform/osversion.h"

namespace engine
{

std::uint8_t SysVersions32(std::uint32_t platformId, std::uint32_t majorVersion)
{
    // Platform 2 is the NT family; before major version 5 it dresses folders the 9x way.
    return platformId == 2 && majorVersion >= 5 ? 1 : 0;
}

WindowsMode detectedWindowsMode()
{
    const platform::OsVersion version = platform::queryOsVersion();
    return SysVersions32(version.platformId, version.majorVersion) ? WindowsMode::Xp
                                                                   : WindowsMode::Nt9x;
}

} // namespace engine
