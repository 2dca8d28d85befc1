#include "singlecopy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform
{
namespace
{

constexpr const char kActivateRequest[] = "activate\n";
constexpr int kBacklog = 8;

// The 64-bit FNV-1a hash: short, stable names for long store paths.
std::uint64_t fnv1a(const std::string &text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// A folder only this user can enter: a real folder (not a link), ours, closed to the rest.
bool isPrivateFolder(const std::string &path)
{
    struct stat info {
    };
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

std::string absoluteVariable(const char *name)
{
    const char *value = std::getenv(name);
    return value && value[0] == '/' ? std::string(value) : std::string();
}

bool socketAddress(const std::string &path, sockaddr_un &address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

int unixSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

} // namespace

SingleCopyName::SingleCopyName(const std::string &store) : m_folder(folder())
{
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(store)));
    m_name = "ravo2-" + std::to_string(::geteuid()) + "-" + std::string(hash, 12);
}

SingleCopyName::~SingleCopyName()
{
    if (m_listener >= 0)
        ::close(m_listener);
    if (m_held < 0)
        return;
    // The socket goes before the lock, so it is never a later first copy's socket that goes.
    ::unlink((m_folder + "/" + m_name + ".socket").c_str());
    ::close(static_cast<int>(m_held));
}

std::string SingleCopyName::folder()
{
    const std::string runtime = absoluteVariable("XDG_RUNTIME_DIR");
    if (!runtime.empty() && isPrivateFolder(runtime))
        return runtime;
    std::string temporary = absoluteVariable("TMPDIR");
    if (temporary.empty())
        temporary = "/tmp";
    const std::string own = temporary + "/ravo2-" + std::to_string(::geteuid());
    ::mkdir(own.c_str(), 0700);
    if (isPrivateFolder(own))
        return own;
    // Someone else made it first, so it is never used: a folder in the user's own cache instead,
    // which nobody else can take from them.
    std::string cache = absoluteVariable("XDG_CACHE_HOME");
    if (cache.empty()) {
        const std::string home = absoluteVariable("HOME");
        if (home.empty())
            return {};
        cache = home + "/.cache";
    }
    ::mkdir(cache.c_str(), 0700);
    const std::string cached = cache + "/ravo2";
    ::mkdir(cached.c_str(), 0700);
    return isPrivateFolder(cached) ? cached : std::string();
}

std::string SingleCopyName::lockPath() const
{
    return m_folder.empty() ? std::string() : m_folder + "/" + m_name + ".lock";
}

SingleCopyName::Claim SingleCopyName::claim()
{
    if (m_held >= 0)
        return Claim::First;
    if (m_folder.empty())
        return Claim::Unavailable;
    const int lock =
        ::open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (lock < 0)
        return Claim::Unavailable;
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(lock);
        return held ? Claim::Later : Claim::Unavailable;
    }
    m_held = lock;
    sockaddr_un address;
    const std::string path = m_folder + "/" + m_name + ".socket";
    if (!socketAddress(path, address))
        return Claim::First; // still the first copy; later ones just cannot ask it anything
    // A socket file left by a copy that crashed answers no one; the lock says it is stale.
    ::unlink(path.c_str());
    m_listener = unixSocket();
    if (m_listener >= 0 &&
        (::bind(m_listener, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
         ::listen(m_listener, kBacklog) != 0)) {
        ::close(m_listener);
        m_listener = -1;
    }
    return Claim::First;
}

int SingleCopyName::takeListener()
{
    const int listener = m_listener;
    m_listener = -1;
    return listener;
}

int SingleCopyName::connectToHolder() const
{
    sockaddr_un address;
    if (m_folder.empty() || !socketAddress(m_folder + "/" + m_name + ".socket", address))
        return -1;
    const int socket = unixSocket();
    if (socket < 0)
        return -1;
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

bool SingleCopyName::askToActivate() const
{
    const int socket = connectToHolder();
    if (socket < 0)
        return false;
    const std::size_t length = sizeof kActivateRequest - 1;
    const bool sent = ::send(socket, kActivateRequest, length, MSG_NOSIGNAL) == ssize_t(length);
    ::close(socket);
    return sent;
}

} // namespace platform
