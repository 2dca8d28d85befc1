#pragma once

#include <memory>
#include <string>

// The program's windows as this build has them: the Qt library on Linux, none yet on Windows.
// main() asks it whether a run can show windows and hands the run over when it can.
class FrontEnd
{
public:
    FrontEnd();
    ~FrontEnd();
    FrontEnd(const FrontEnd &) = delete;
    FrontEnd &operator=(const FrontEnd &) = delete;

    // True when this session could show the windows (a display; a build that has them).
    bool available() const;
    // Makes the windows ready to run; false with error() set when they cannot be.
    bool load();
    // Runs the program with its windows; the process's exit status.
    int run(int argc, char **argv);
    // The loader's text of the last failure.
    std::string error() const;
    // What an empty command line prints when available() is false, before the help.
    std::string unavailableMessage() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
