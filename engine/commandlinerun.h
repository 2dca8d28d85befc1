#pragma once

#include "folderdresser.h"
#include "folderio.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace engine
{

// Exit statuses of a command-line run.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // no switch, a value refused, makeicon passed a failure on,
                                       // or another copy runs and only one may
inline constexpr int kExitUsage = 2;   // an empty line without a window to show

// What the program adds around a run: the single-copy check and the progress shown.
struct RunHooks {
    std::function<bool()> mayRun;         // false: this copy must not run (the hook has said why)
    ProgressFn progress;                  // after each folder
    std::function<void()> beforeMessages; // the folders are done; messages may follow
};

// Runs the program's command-line mode without a window: reads the switches, dresses the folders
// when a flag is set, and reports to `out` and `err`. Returns the process exit status.
int runCommandLine(std::string_view commandLine, std::ostream &out, std::ostream &err, FolderIo &io,
                   const RunHooks &hooks = {});

// The warnings of a run that succeeded: a file system that keeps no attributes, a temporary file
// that could not be removed.
std::optional<std::string> attributeWarning(const MakeIconResult &result);

} // namespace engine
