#pragma once

#include <string>

namespace platform
{

// Empty when the display the windows would be shown on answers, or when none is named (see
// displayAvailable); else the one that does not answer, as "DISPLAY=:93". Where only one of X11
// and Wayland answers, the toolkit is told to take that one.
std::string unreachableDisplay();

} // namespace platform
