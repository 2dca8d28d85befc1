#pragma once

#include <cstdint>

namespace platform
{

// What GetVersionExA reports: dwPlatformId (1 = 95/98/ME, 2 = NT family) and dwMajorVersion.
struct OsVersion {
    std::uint32_t platformId = 0;
    std::uint32_t majorVersion = 0;
};

// The running system's version; Linux and other POSIX systems count as NT family, major 10.
OsVersion queryOsVersion();

} // namespace platform
