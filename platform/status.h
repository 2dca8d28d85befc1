#pragma once

#include <string>

namespace platform
{

// Outcome of one system call: its error number and the system's own description of it.
struct Status {
    int code = 0;        // 0 on success; errno on POSIX, GetLastError() on Win32
    std::string message; // the system's description of the failure; empty on success

    bool ok() const { return code == 0; }
    static Status success() { return {}; }
    static Status failure(int code, std::string message) { return {code, std::move(message)}; }
};

// The error number of the last failed call as a Status (errno / GetLastError()).
Status lastError();

} // namespace platform
