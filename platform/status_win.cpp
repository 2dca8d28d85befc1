#include "status.h"

#include "win32text_win.h"

#include <windows.h>

namespace platform
{

Status lastError()
{
    return win32::statusFor(GetLastError());
}

} // namespace platform
