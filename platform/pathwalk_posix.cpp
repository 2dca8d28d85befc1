#include "pathwalk_posix.h"

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr int kMaxLinks = 40; // as the kernel's own walk

// The folder the walk stands in; closes what it opened itself.
class WalkFolder
{
public:
    explicit WalkFolder(int fd = AT_FDCWD) : m_fd(fd) {}
    WalkFolder(const WalkFolder &) = delete;
    WalkFolder &operator=(const WalkFolder &) = delete;
    ~WalkFolder() { reset(AT_FDCWD); }
    int get() const { return m_fd; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// The next part of `rest` (never empty nor "."), taken off it; empty when none is left.
std::string takePart(std::string &rest)
{
    for (;;) {
        const std::size_t start = rest.find_first_not_of('/');
        if (start == std::string::npos) {
            rest.clear();
            return {};
        }
        const std::size_t end = rest.find('/', start);
        std::string part = rest.substr(start, end - start);
        rest.erase(0, end == std::string::npos ? rest.size() : end);
        if (part != ".")
            return part;
    }
}

bool lastPartOf(std::string rest)
{
    return takePart(rest).empty();
}

// The target of the link `part` in `folder` when it may be followed; -1 with errno otherwise
// (ENOTDIR when `part` is no link at all).
int readTrustedLink(int folder, const std::string &part, std::string &target)
{
    const int fd = openat(folder, part.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info = {};
    int result = -1;
    if (fstat(fd, &info) != 0) {
    } else if (!S_ISLNK(info.st_mode)) {
        errno = ENOTDIR;
    } else if (info.st_uid != 0 && info.st_uid != geteuid()) {
        errno = ELOOP; // anybody else may have planted it
    } else {
        char buffer[4096];
        const ssize_t size = readlinkat(fd, "", buffer, sizeof buffer);
        if (size > 0 && std::size_t(size) < sizeof buffer) {
            target.assign(buffer, std::size_t(size));
            result = 0;
        } else if (size >= 0) {
            errno = size == 0 ? ENOENT : ENAMETOOLONG;
        }
    }
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return result;
}

} // namespace

int openPathWithTrustedLinks(const std::string &path, int flags, bool followLastLink)
{
    if (path.empty()) {
        errno = ENOENT;
        return -1;
    }
    WalkFolder folder;
    std::string rest = path;
    int links = 0;
    if (rest.front() == '/')
        folder.reset(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    for (;;) {
        if (folder.get() == -1)
            return -1;
        std::string part = takePart(rest);
        if (part.empty()) // the path named "/" or "." itself
            return openat(folder.get(), ".", flags | O_CLOEXEC);
        const bool last = lastPartOf(rest);
        const int fd = last ? openat(folder.get(), part.c_str(), flags | O_NOFOLLOW | O_CLOEXEC)
                            : openat(folder.get(), part.c_str(),
                                     O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            if (last)
                return fd;
            folder.reset(fd);
            continue;
        }
        // O_NOFOLLOW says ELOOP for a link, or ENOTDIR where a folder was asked for.
        if ((errno != ELOOP && errno != ENOTDIR) || (last && !followLastLink)) {
            if (errno == ENOTDIR && last) {
                struct stat info = {};
                if (fstatat(folder.get(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                    S_ISLNK(info.st_mode))
                    errno = ELOOP;
                else
                    errno = ENOTDIR;
            }
            return -1;
        }
        std::string target;
        if (readTrustedLink(folder.get(), part, target) != 0)
            return -1;
        if (++links > kMaxLinks) {
            errno = ELOOP;
            return -1;
        }
        rest = target + "/" + rest;
        if (target.front() == '/')
            folder.reset(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
}

} // namespace platform
