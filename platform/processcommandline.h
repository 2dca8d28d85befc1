#pragma once

#include <string>

namespace platform
{

// The command-line text that follows the program's own name, as the system hands it over.
// POSIX: the arguments joined by single blanks. Win32: GetCommandLineW without the program path.
std::string processCommandLine(int argc, char **argv);

} // namespace platform
