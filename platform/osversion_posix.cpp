#include "osversion.h"

namespace platform
{

// Wine reports Windows 10 (VER_PLATFORM_WIN32_NT, major 10) by default; behave as it does.
OsVersion queryOsVersion()
{
    return {2, 10};
}

} // namespace platform
