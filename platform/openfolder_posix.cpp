#include "openfolder_posix.h"

#include "attributes.h"
#include "dosattrib.h"
#include "pathwalk_posix.h"
#include "temporaryname.h"

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr mode_t kAllWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
// On a folder where a run may have left a temporary under a random name.
constexpr const char *kRandomTemporaryMark = "user.ravo2.temporary";

int openFolder(const std::string &path)
{
    return openPathWithTrustedLinks(path, O_RDONLY | O_DIRECTORY, false);
}

// "/proc/self/fd/N/name": the entry `name` of an open folder, reached by path only where a call
// has no descriptor form; the folder part cannot be swapped.
std::string entryThroughDescriptor(int folder, const std::string &name)
{
    return "/proc/self/fd/" + std::to_string(folder) + "/" + name;
}

#if defined(__x86_64__) || defined(__aarch64__)
// getxattrat(2), Linux 6.13 on: one call instead of a walk through /proc. Debian 12's headers
// predate it, hence the number and the argument block spelled out here.
constexpr long kGetXattrAt = 464;
struct XattrArgs {
    std::uint64_t value; // the buffer's address
    std::uint32_t size;
    std::uint32_t flags;
};
std::atomic<bool> g_noGetXattrAt{false}; // an older kernel, or a filter that refuses the call
#endif

// The stored attribute text of the entry `name` itself, as lgetxattr returns it.
ssize_t entryAttribute(int folder, const std::string &name, char *buffer, std::size_t size)
{
#if defined(__x86_64__) || defined(__aarch64__)
    if (!g_noGetXattrAt.load(std::memory_order_relaxed)) {
        XattrArgs args{reinterpret_cast<std::uintptr_t>(buffer), std::uint32_t(size), 0};
        const long got = syscall(kGetXattrAt, folder, name.c_str(), AT_SYMLINK_NOFOLLOW,
                                 kDosAttribName, &args, sizeof args);
        if (got >= 0 || (errno != ENOSYS && errno != EPERM))
            return got;
        g_noGetXattrAt.store(true, std::memory_order_relaxed);
    }
#endif
    return lgetxattr(entryThroughDescriptor(folder, name).c_str(), kDosAttribName, buffer, size);
}

// ELOOP said in words: the folder itself is a link, or a link on its way is nobody's we trust.
Status linkRefusal(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    struct stat info = {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        return Status::failure(ELOOP, "Is a symbolic link, which is never followed to a folder");
    return Status::failure(ELOOP, "A symbolic link on the path belongs to neither root nor this "
                                  "user (or the links go round)");
}

} // namespace

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Status Descriptor::close()
{
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0 ? Status::success() : lastError();
}

OpenFolder::OpenFolder(std::string path) : m_dir(openFolder(path)), m_path(std::move(path))
{
    if (m_dir.get() < 0)
        m_openError = errno == ELOOP ? linkRefusal(m_path) : lastError();
}

std::string OpenFolder::entryPath(const std::string &name) const
{
    return m_path + (!m_path.empty() && m_path.back() == '/' ? "" : "/") + name;
}

bool OpenFolder::statEntry(const std::string &name, struct stat &info) const
{
    return fstatat(fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

bool OpenFolder::readOnlyEntry(const std::string &name, const struct stat &info) const
{
    if ((info.st_mode & kAllWriteBits) == 0)
        return true;
    char buffer[256];
    const ssize_t size = entryAttribute(fd(), name, buffer, sizeof buffer);
    if (size < 0)
        return false;
    const auto stored = decodeDosAttrib(std::string_view(buffer, std::size_t(size)));
    return stored && (*stored & kAttrReadOnly);
}

void OpenFolder::removeStaleTemporaries(const std::string &name, Status &failure,
                                        std::string &failedPath) const
{
    alignas(struct dirent64) char buffer[32768];
    for (;;) {
        const ssize_t got = getdents64(fd(), buffer, sizeof buffer);
        if (got <= 0)
            return;
        for (ssize_t at = 0; at < got;) {
            const auto *entry = reinterpret_cast<const struct dirent64 *>(buffer + at);
            at += entry->d_reclen;
            if (!isTemporaryName(entry->d_name, name))
                continue;
            struct stat info = {};
            const bool regular = entry->d_type == DT_REG ||
                                 (entry->d_type == DT_UNKNOWN && statEntry(entry->d_name, info) &&
                                  S_ISREG(info.st_mode));
            // unlinkat removes a name, never what it points to.
            if (regular && unlinkat(fd(), entry->d_name, 0) != 0 && errno != ENOENT &&
                failure.ok()) {
                failure = lastError();
                failedPath = entryPath(entry->d_name);
            }
        }
    }
}

void OpenFolder::markRandomTemporary() const
{
    (void)fsetxattr(fd(), kRandomTemporaryMark, "1", 1, 0);
}

void OpenFolder::removeMarkedTemporaries(const std::string &name, Status &failure,
                                         std::string &failedPath) const
{
    char value[8];
    if (fgetxattr(fd(), kRandomTemporaryMark, value, sizeof value) < 0 ||
        fremovexattr(fd(), kRandomTemporaryMark) != 0)
        return;
    removeStaleTemporaries(name, failure, failedPath);
}

Status storeAttributes(int fd, std::uint32_t attributes)
{
    attributes &= ~kAttrDirectory;
    if (attributes == 0 || attributes == kAttrNormal) {
        // A file system without user attributes already holds "nothing stored".
        if (fremovexattr(fd, kDosAttribName) == 0 || errno == ENODATA || errno == ENOTSUP)
            return Status::success();
        return lastError();
    }
    const std::string text = encodeDosAttrib(attributes);
    if (fsetxattr(fd, kDosAttribName, text.data(), text.size(), 0) != 0)
        return lastError();
    return Status::success();
}

} // namespace platform
