#pragma once

#include "customisationrequest.h"

#include <cstdint>

namespace engine
{

// 1 when the system is of the NT family (platform id 2) with a major version of 5 or more, else 0.
std::uint8_t SysVersions32(std::uint32_t platformId, std::uint32_t majorVersion);

// The Windows mode the options dialog preselects on the running system.
WindowsMode detectedWindowsMode();

} // namespace engine
