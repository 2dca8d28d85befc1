#include "foldercopy.h"

#include "openfolder_posix.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{

Status errorStatus(int code)
{
    return Status::failure(code, std::strerror(code));
}

// A regular file's whole content, refusing more than `limit` bytes.
Status readOpenFile(int fd, std::size_t limit, std::string &bytes)
{
    struct stat info = {};
    if (fstat(fd, &info) != 0)
        return lastError();
    if (S_ISDIR(info.st_mode))
        return errorStatus(EISDIR);
    if (!S_ISREG(info.st_mode))
        return errorStatus(EINVAL);
    if (std::size_t(info.st_size) > limit)
        return errorStatus(EFBIG);
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0)
            return Status::success();
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return lastError();
        if (bytes.size() + std::size_t(got) > limit)
            return errorStatus(EFBIG);
        bytes.append(buffer, std::size_t(got));
    }
}

} // namespace

Status readFolderFile(const std::string &folderPath, const std::string &name, std::size_t limit,
                      std::string &bytes)
{
    bytes.clear();
    const OpenFolder folder(folderPath);
    if (!folder.isOpen())
        return folder.openError();
    if (name.find('/') != std::string::npos)
        return errorStatus(EINVAL);
    // Non-blocking, so a FIFO in the file's place never hangs the run.
    Descriptor file(
        openat(folder.fd(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return lastError();
    Status status = readOpenFile(file.get(), limit, bytes);
    if (!status.ok())
        bytes.clear();
    return status;
}

Status removeFolderFile(const std::string &folderPath, const std::string &name)
{
    const OpenFolder folder(folderPath);
    if (!folder.isOpen())
        return folder.openError();
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return errorStatus(EINVAL);
    struct stat info = {};
    if (!folder.statEntry(name, info))
        return lastError();
    if (S_ISLNK(info.st_mode))
        return errorStatus(ELOOP);
    if (S_ISDIR(info.st_mode))
        return errorStatus(EISDIR);
    if (!S_ISREG(info.st_mode))
        return errorStatus(EINVAL);
    if (unlinkat(folder.fd(), name.c_str(), 0) != 0)
        return lastError();
    return Status::success();
}

} // namespace platform
