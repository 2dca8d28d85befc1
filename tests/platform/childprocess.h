#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support
{

// What a finished program left behind.
struct ProcessResult {
    int exitCode = -1;     // the exit status, or -1 when it was killed or could not start
    bool timedOut = false; // true when it was killed for running past its time
    std::string output;    // standard output and standard error together
};

// Reaps the child `pid` into `status`; false when it is still running at the deadline.
bool waitUntil(pid_t pid, int &status, std::chrono::steady_clock::time_point deadline);

// Runs `body` in a forked child and returns its result as the child's exit status (3 on a crash).
int runInChild(const std::function<int()> &body);

// Like runInChild, but as the user "nobody" when started as root (2 when it cannot switch);
// `owned` paths are handed to that user first so it may work in them.
int runAsOrdinaryUser(const std::vector<std::string> &owned, const std::function<int()> &body);

// Runs a program (looked up in PATH) in its own process group and waits at most `timeoutSeconds`.
ProcessResult runProcess(const std::vector<std::string> &arguments, int timeoutSeconds);

} // namespace testing_support
