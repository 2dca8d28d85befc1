#pragma once

// One run of ravo2.exe driven from outside as a user drives it: the process, its main window, its
// dialogs found by title, the checks made on them, and the pictures taken of them.
#include "screenshot.h"

#include <windows.h>

#include <string>

class Ravo2Session
{
public:
    // `shots`: the folder that receives a BMP of every window shown (empty: none are written).
    Ravo2Session(std::wstring exe, std::wstring workFolder, std::wstring shots);
    ~Ravo2Session();
    Ravo2Session(const Ravo2Session &) = delete;
    Ravo2Session &operator=(const Ravo2Session &) = delete;

    // Starts the program in `workFolder`\run and waits for its main window.
    bool start();
    // Closes the main window and waits for the process to end.
    bool stop();
    // Starts another copy the same way; the caller owns the handles.
    PROCESS_INFORMATION startAnother() const;

    // Records one check: "ok" or "FAIL" with `what`; returns `passed`.
    bool check(bool passed, const std::string &what);
    int failures() const { return m_failures; }

    DWORD pid() const { return m_process.dwProcessId; }
    HWND main() const { return m_main; }
    HWND mainControl(int id) const;
    // A visible window of the program titled `title`, waited for.
    HWND waitDialog(const std::wstring &title, int milliseconds = 10000) const;
    // Waits until the program shows no window but the main one (a dialog closed, a run ended).
    bool waitOnlyMain(int milliseconds = 10000) const;
    // Closes whatever a failed step left open besides the main window, so the next step can run.
    void closeStray();
    // The path `relative` inside the work folder.
    std::wstring path(const std::wstring &relative) const;

    // The window as drawn now; also written as `name`.bmp when pictures are asked for.
    Screenshot shoot(HWND window, const std::wstring &name = L"", bool settle = true);

private:
    std::wstring m_exe;
    std::wstring m_work;
    std::wstring m_shots;
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
    int m_failures = 0;
};
