#include "ravo2session.h"

#include "remotewindows.h"

#include <cstdio>

namespace
{

constexpr wchar_t kTitleStart[] = L"Ravo ver. 2.0.";

} // namespace

Ravo2Session::Ravo2Session(std::wstring exe, std::wstring workFolder, std::wstring shots)
    : m_exe(std::move(exe)), m_work(std::move(workFolder)), m_shots(std::move(shots))
{
}

Ravo2Session::~Ravo2Session()
{
    if (m_process.hProcess == nullptr)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(m_process.hProcess, 3); // a window left hanging must not outlive the test
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

PROCESS_INFORMATION Ravo2Session::startAnother() const
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring line = L"\"" + m_exe + L"\"";
    const std::wstring folder = path(L"run");
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(m_exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        process = {};
    return process;
}

bool Ravo2Session::start()
{
    m_process = startAnother();
    if (m_process.hProcess == nullptr)
        return check(false, "ravo2.exe starts (CreateProcessW failed: error " +
                                std::to_string(GetLastError()) + ")");
    // The window is made, then loaded: checks start once the program waits for input.
    WaitForInputIdle(m_process.hProcess, 20000);
    remote::waitUntil(
        [this] {
            for (HWND window : remote::topLevelWindows(pid())) {
                if (remote::text(window).rfind(kTitleStart, 0) == 0) {
                    m_main = window;
                    return true;
                }
            }
            return false;
        },
        20000);
    return check(m_main != nullptr, "ravo2.exe shows its main window");
}

bool Ravo2Session::stop()
{
    if (m_main == nullptr)
        return false;
    PostMessageW(m_main, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(m_process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(m_process.hProcess, &code);
    check(ended, "closing the main window ends the program");
    return check(ended && code == 0,
                 "the program ends with status 0 (" + std::to_string(code) + ")");
}

bool Ravo2Session::check(bool passed, const std::string &what)
{
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    m_failures += passed ? 0 : 1;
    return passed;
}

HWND Ravo2Session::mainControl(int id) const
{
    return remote::control(m_main, id);
}

HWND Ravo2Session::waitDialog(const std::wstring &title, int milliseconds) const
{
    return remote::waitWindow(pid(), L"", title, milliseconds);
}

bool Ravo2Session::waitOnlyMain(int milliseconds) const
{
    return remote::waitUntil(
        [this] {
            const auto windows = remote::topLevelWindows(pid());
            return windows.size() == 1 && windows.front() == m_main;
        },
        milliseconds);
}

void Ravo2Session::closeStray()
{
    for (int round = 0; round < 3 && !waitOnlyMain(200); ++round) {
        for (HWND window : remote::topLevelWindows(pid())) {
            if (window == m_main)
                continue;
            check(false, "a window was left open: " + remote::narrow(remote::text(window)));
            if (remote::className(window) == L"#32770")
                PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            else
                PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
}

std::wstring Ravo2Session::path(const std::wstring &relative) const
{
    return m_work + L"\\" + relative;
}

Screenshot Ravo2Session::shoot(HWND window, const std::wstring &name, bool settle)
{
    Screenshot shot = Screenshot::ofWindow(window, settle);
    if (!m_shots.empty() && !name.empty())
        check(shot.writeBmp(m_shots + L"\\" + name + L".bmp"),
              "picture " + remote::narrow(name) + " written");
    return shot;
}
