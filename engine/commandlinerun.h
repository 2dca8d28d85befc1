#pragma once

#include "folderdresser.h"
#include "folderio.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace engine
{

// Exit statuses of a command-line run.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // the line had no switch, or makeicon passed a failure on
inline constexpr int kExitUsage = 2;   // an empty line without a window to show

// What starts each warning printed to standard error.
inline constexpr const char *kWarningPrefix = "ravo2: предупреждение: ";

// Runs the program's command-line mode without a window: reads the switches, dresses the folders
// when a flag is set, and reports to `out` and `err`. Returns the process exit status.
int runCommandLine(std::string_view commandLine, std::ostream &out, std::ostream &err,
                   FolderIo &io);

// The warnings of a run that succeeded: a file system that keeps no attributes, a temporary file
// that could not be removed.
std::optional<std::string> attributeWarning(const MakeIconResult &result);

} // namespace engine
