#include "programrun.h"

#include "platform/filesystem.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string contentOf(const fs::path &path)
{
    std::string bytes;
    return platform::readFile(path.string(), bytes).ok() ? bytes : "<unreadable>";
}

std::string roadName(const testing::TestParamInfo<Road> &info)
{
    return info.param == Road::Window ? "Window" : "WithoutWindows";
}

Outcome runProgram(const fs::path &root, Road road, const std::vector<std::string> &args,
                   const Environment &environment)
{
    const fs::path outFile = root / "stdout", errFile = root / "stderr";
    const pid_t child = fork();
    if (child == 0) {
        dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        setenv("RAVO2_ANSI_CODEPAGE", "1251", 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LC_ALL",
                                 "LC_MESSAGES", "LC_CTYPE"})
            unsetenv(name);
        if (road == Road::Window)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        for (const auto &[name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        std::vector<char *> argv{const_cast<char *>(RAVO2_PROGRAM)};
        for (const std::string &arg : args)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        if (chdir(root.c_str()) == 0)
            execv(RAVO2_PROGRAM, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(outFile),
                    contentOf(errFile)};
    fs::remove(outFile);
    fs::remove(errFile);
    return outcome;
}
