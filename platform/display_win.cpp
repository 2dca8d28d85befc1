#include "display.h"

namespace platform
{

std::string unreachableDisplay()
{
    // A Windows session's desktop is always there to show windows on.
    return {};
}

} // namespace platform
