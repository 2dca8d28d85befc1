#include "osversion.h"

#include <windows.h>

namespace platform
{

OsVersion queryOsVersion()
{
    // The record of the 95/NT 4 era: 148 bytes, every field but the size zero.
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148);
    info.dwOSVersionInfoSize = 148;
    // A failed call leaves the zeroed record, which counts as neither family.
    GetVersionExA(&info);
    return {info.dwPlatformId, info.dwMajorVersion};
}

} // namespace platform
