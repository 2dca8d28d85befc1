#pragma once

// The one function the windows' library exports; the name carries the interface's version, so a
// program never runs a library of another build's making.
#if defined(_WIN32)
#define RAVO2_WINDOWS_EXPORT __declspec(dllexport)
#else
#define RAVO2_WINDOWS_EXPORT __attribute__((visibility("default")))
#endif

inline constexpr const char *kWindowsModule = "ravo2-windows";
inline constexpr const char *kWindowsEntry = "ravo2_windows_main_v1";

// Runs the program with its windows; the process's exit status.
using WindowsEntry = int (*)(int argc, char **argv);
