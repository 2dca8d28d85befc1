#include "clientpaths.h"

#include "testparmcache_posix.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace platform
{
namespace
{

constexpr const char *kSambaTestparm = "/usr/bin/testparm"; // where Samba installs it
constexpr int kTestparmMilliseconds = 5000;                 // a hung testparm must not hold the run

long long nowMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Reads the child's output until it closes its end or the time is up; false on a timeout.
bool readUntilClosed(int fd, std::string &out)
{
    const long long deadline = nowMilliseconds() + kTestparmMilliseconds;
    char buffer[4096];
    for (;;) {
        const long long left = deadline - nowMilliseconds();
        if (left <= 0)
            return false;
        pollfd watched{fd, POLLIN, 0};
        const int ready = poll(&watched, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return true;
        out.append(buffer, static_cast<std::size_t>(got));
    }
}

// Starts testparm with its output on `outputFd` and its error output discarded.
bool spawnTestparm(int outputFd, pid_t &pid)
{
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char program[] = "testparm";
    char suppressPrompt[] = "-s";
    char *arguments[] = {program, suppressPrompt, nullptr};
    // Root runs Samba's own, never whatever a PATH that others may write to offers first.
    const bool privileged = geteuid() == 0 || getuid() == 0;
    const bool started =
        (privileged ? posix_spawn(&pid, kSambaTestparm, &actions, nullptr, arguments, environ)
                    : posix_spawnp(&pid, program, &actions, nullptr, arguments, environ)) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

// Runs `testparm -s`; SMB_CONF_PATH, which it honours as Samba's other tools do, names another
// configuration.
std::optional<std::string> runTestparm();

} // namespace

bool writesClientPaths()
{
    return true;
}

std::string currentFolder()
{
    char *folder = getcwd(nullptr, 0);
    if (folder == nullptr)
        return {};
    std::string result(folder);
    std::free(folder);
    return result;
}

std::string homeFolder()
{
    if (const char *home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    const passwd *user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : std::string();
}

std::vector<std::string> wineSystemFolders()
{
    std::vector<std::string> folders;
    // Where Debian's and upstream's wine keep the Windows builds of their libraries.
    for (const char *lib : {"/usr/lib/x86_64-linux-gnu/wine", "/usr/lib/i386-linux-gnu/wine",
                            "/usr/lib/wine", "/usr/lib64/wine", "/usr/local/lib/wine"}) {
        folders.push_back(std::string(lib) + "/x86_64-windows");
        folders.push_back(std::string(lib) + "/i386-windows");
    }
    // Then the user's prefix, which holds copies of the same files.
    if (const char *prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0')
        folders.push_back(std::string(prefix) + "/drive_c/windows/system32");
    else if (const char *home = std::getenv("HOME"); home != nullptr && *home != '\0')
        folders.push_back(std::string(home) + "/.wine/drive_c/windows/system32");
    return folders;
}

std::vector<std::string> userHomes()
{
    std::vector<std::string> homes;
    const auto add = [&](const char *home) {
        if (home != nullptr && home[0] == '/' && home[1] != '\0' &&
            std::find(homes.begin(), homes.end(), home) == homes.end())
            homes.emplace_back(home);
    };
    setpwent();
    // System accounts (ids 1-999, nobody) have no [homes] share and often "/" as their home.
    while (const passwd *user = getpwent())
        if (user->pw_uid == 0 || (user->pw_uid >= 1000 && user->pw_uid != 65534))
            add(user->pw_dir);
    endpwent();
    add(std::getenv("HOME"));
    return homes;
}

std::optional<std::string> sambaConfiguration()
{
    return TestparmCache::forThisUser().get(runTestparm);
}

namespace
{

std::optional<std::string> runTestparm()
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return std::nullopt;
    pid_t pid = -1;
    const bool started = spawnTestparm(pipeFds[1], pid);
    close(pipeFds[1]);
    std::string output;
    const bool finished = started && readUntilClosed(pipeFds[0], output);
    close(pipeFds[0]);
    if (!started)
        return std::nullopt;
    if (!finished)
        kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    // posix_spawnp reports a missing program as exit status 127 of the child.
    if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return output;
}

} // namespace

} // namespace platform
