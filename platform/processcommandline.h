#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// The command-line text that follows the program's own name, as the system hands it over.
// POSIX: the arguments joined by single blanks. Win32: GetCommandLineW without the program path.
std::string processCommandLine(int argc, char **argv);

// Text taken from the command line as UTF-8: POSIX decodes it from the locale's character set
// (UTF-8, or a legacy one such as CP1251 or KOI8-R; the C locale counts as UTF-8); Win32's
// line is UTF-8 already and is only checked. nullopt when the bytes are not text in that set.
std::optional<std::string> argumentTextToUtf8(std::string_view bytes);

// The program's UTF-8 text in the same character set for output: a character the set lacks
// becomes '?', and bytes that are not UTF-8 (a path echoed as it was given) pass unchanged.
std::string utf8ToOutputText(std::string_view text);

// True when the process's standard error is a terminal (someone watches a progress line).
bool standardErrorIsTerminal();

// True when windows can be shown: a graphical session, or a Qt platform the user chose himself;
// on Windows a visible window station and no RAVO2_NO_WINDOWS.
bool displayAvailable();

} // namespace platform
