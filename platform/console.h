#pragma once

#include <memory>

namespace platform
{

// The program's standard output and error for the length of a run. POSIX: nothing to do. Win32:
// the program has no console of its own (a double click opens none), so it attaches to its
// parent's; std::cout and std::cerr then write UTF-16 to that console (WriteConsoleW, readable in
// any code page), UTF-8 with CR LF line ends to a redirected handle, and what nobody could see
// goes to a message box when the session ends.
class ConsoleSession
{
public:
    ConsoleSession();
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession &) = delete;
    ConsoleSession &operator=(const ConsoleSession &) = delete;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace platform
