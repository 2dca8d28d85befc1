#include "sambaserver.h"

#include "childprocess.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support
{

namespace
{

constexpr int kStartSeconds = 10;
constexpr int kStopSeconds = 5;
constexpr int kClientSeconds = 15;
const char *const kSmbd = "/usr/sbin/smbd";

bool onPath(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

// A port that nothing listens on now; smbd binds it a moment later.
int freePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        close(fd);
    return port;
}

bool accepts(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok =
        fd >= 0 && connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    if (fd >= 0)
        close(fd);
    return ok;
}

bool groupAlive(pid_t group)
{
    return kill(-group, 0) == 0 || errno == EPERM;
}

} // namespace

SambaServer::~SambaServer()
{
    stop();
}

std::string SambaServer::unavailableReason()
{
    if (geteuid() != 0)
        return "smbd needs root to serve files as the guest account";
    if (access(kSmbd, X_OK) != 0)
        return "smbd is not installed (package samba)";
    if (!onPath("smbclient"))
        return "smbclient is not installed (package smbclient)";
    return {};
}

std::string SambaServer::writeConfiguration(const std::string &shareFolder,
                                            const std::string &moreShares)
{
    const std::string &s = m_stateFolder;
    for (const char *folder : {"lock", "state", "cache", "private", "pid", "ncalrpc", "log"})
        std::filesystem::create_directories(s + "/" + folder);
    m_configFile = s + "/smb.conf";
    std::ofstream conf(m_configFile);
    conf << "[global]\n"
         << "server role = standalone server\n"
         << "map to guest = Bad User\n"
         << "guest account = root\n"
         << "interfaces = 127.0.0.1\n"
         << "bind interfaces only = yes\n"
         << "smb ports = " << m_port << "\n"
         << "disable netbios = yes\n"
         << "load printers = no\n"
         << "printcap name = /dev/null\n"
         << "disable spoolss = yes\n"
         << "lock directory = " << s << "/lock\n"
         << "state directory = " << s << "/state\n"
         << "cache directory = " << s << "/cache\n"
         << "private dir = " << s << "/private\n"
         << "pid directory = " << s << "/pid\n"
         << "ncalrpc dir = " << s << "/ncalrpc\n"
         << "log file = " << s << "/log/smbd.log\n"
         << "[share]\n"
         << "path = " << shareFolder << "\n"
         << "guest ok = yes\n"
         << "read only = no\n"
         << "store dos attributes = yes\n"
         << moreShares;
    conf.close();
    return conf ? std::string() : "cannot write " + m_configFile;
}

std::string SambaServer::start(const std::string &shareFolder, const std::string &moreShares)
{
    if (std::string reason = unavailableReason(); !reason.empty())
        return reason;
    char pattern[] = "/tmp/ravo2-smbd.XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        return "cannot create a temporary folder";
    m_stateFolder = pattern;
    m_port = freePort();
    if (std::string error = writeConfiguration(shareFolder, moreShares); !error.empty())
        return error;
    m_pid = fork();
    if (m_pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM); // a crashed test must not leave smbd behind
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        // -l before the configuration is read keeps smbd out of /var/log/samba.
        const std::string logs = m_stateFolder + "/log";
        execl(kSmbd, kSmbd, "--foreground", "--no-process-group", "-s", m_configFile.c_str(), "-l",
              logs.c_str(), nullptr);
        _exit(127);
    }
    if (m_pid > 0)
        setpgid(m_pid, m_pid); // set on both sides so stop() never signals a group not yet made
    if (m_pid < 0 || !waitUntilListening()) {
        const std::string log = logText();
        stop();
        return "smbd did not start listening:\n" + log;
    }
    return {};
}

bool SambaServer::waitUntilListening()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kStartSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return false;
        }
        if (accepts(m_port))
            return true;
        usleep(50000);
    }
    return false;
}

void SambaServer::stop()
{
    if (m_pid > 0) {
        kill(-m_pid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kStopSeconds);
        int status = 0;
        if (!waitUntil(m_pid, status, deadline)) {
            kill(-m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
        }
        // smbd's helpers (notifyd, cleanupd) share its group and may outlive it briefly.
        while (groupAlive(m_pid) && std::chrono::steady_clock::now() < deadline)
            usleep(20000);
        if (groupAlive(m_pid))
            kill(-m_pid, SIGKILL);
        m_pid = -1;
    }
    if (!m_stateFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_stateFolder, ignored);
        m_stateFolder.clear();
    }
}

int SambaServer::client(const std::string &commands, std::string &output) const
{
    const ProcessResult result =
        runProcess({"smbclient", "//127.0.0.1/share", "-p", std::to_string(m_port), "-N", "-s",
                    m_configFile, "-c", commands},
                   kClientSeconds);
    output = result.output;
    return result.exitCode;
}

std::optional<std::uint32_t> SambaServer::attributesOf(const std::string &name) const
{
    std::string output;
    if (client("allinfo \"" + name + "\"", output) != 0)
        return std::nullopt;
    // "attributes: RSD (15)": the letters, then the value in hexadecimal.
    const std::size_t line = output.find("attributes:");
    const std::size_t open = output.find('(', line);
    if (line == std::string::npos || open == std::string::npos)
        return std::nullopt;
    return std::uint32_t(std::strtoul(output.c_str() + open + 1, nullptr, 16));
}

std::string SambaServer::logText() const
{
    std::ifstream log(m_stateFolder + "/log/smbd.log");
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
}

} // namespace testing_support
