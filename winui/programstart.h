#pragma once

#include <string>

// The Win32 windows' road through a run; this header needs no <windows.h>, so the program's
// front-end seam can call it.
namespace winui
{

// Shows the main window and runs until it is closed. An empty `commandLine` is the user's
// session; otherwise the switches fill the fields, the window is shown, the customisation is
// applied once and the run ends. Returns the process's exit status.
int runWindows(const std::string &commandLine);

} // namespace winui
