#include "childprocess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support
{

namespace
{

[[noreturn]] void execChild(const std::vector<std::string> &arguments, int outputFd)
{
    setpgid(0, 0);
    dup2(outputFd, STDOUT_FILENO);
    dup2(outputFd, STDERR_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

// Reads the pipe until it closes or the deadline passes; false on the deadline.
bool drain(int fd, std::string &output, std::chrono::steady_clock::time_point deadline)
{
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd entry{fd, POLLIN, 0};
        const int ready = poll(&entry, 1, int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return false;
        if (ready < 0)
            return true;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return true;
        output.append(buffer, std::size_t(got));
    }
}

} // namespace

bool waitUntil(pid_t pid, int &status, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        usleep(20000);
    }
}

int runInChild(const std::function<int()> &body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

int runAsOrdinaryUser(const std::vector<std::string> &owned, const std::function<int()> &body)
{
    constexpr uid_t kNobody = 65534;
    if (geteuid() != 0)
        return runInChild(body);
    for (const std::string &path : owned)
        if (chown(path.c_str(), kNobody, kNobody) != 0)
            return 2;
    return runInChild([&] {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
            return 2;
        return body();
    });
}

ProcessResult runProcess(const std::vector<std::string> &arguments, int timeoutSeconds)
{
    ProcessResult result;
    int fds[2];
    if (arguments.empty() || pipe2(fds, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = fork();
    if (pid == 0)
        execChild(arguments, fds[1]);
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    result.timedOut = !drain(fds[0], result.output, deadline);
    close(fds[0]);
    int status = 0;
    if (!result.timedOut)
        result.timedOut = !waitUntil(pid, status, deadline);
    if (result.timedOut) {
        kill(-pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (!result.timedOut && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

} // namespace testing_support
