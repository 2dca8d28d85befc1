#include "posixfile.h"

#include "pathwalk_posix.h"

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

Status readAtMost(int fd, std::size_t limit, std::string &bytes)
{
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0)
            return Status::success();
        if (got < 0 && errno != EINTR)
            return lastError();
        if (got > 0)
            bytes.append(buffer, std::size_t(got));
    }
    return errorStatus(EFBIG);
}

} // namespace

Status readOpenFile(int fd, std::size_t limit, std::string &bytes)
{
    return readAtMost(fd, limit, bytes);
}

Status writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        bytes.remove_prefix(std::size_t(written));
    }
    return Status::success();
}

int openRegularFile(const std::string &path)
{
    const int fd = openPathWithTrustedLinks(path, O_RDONLY | O_NONBLOCK, true);
    if (fd < 0)
        return -1;
    struct stat info = {};
    int code = 0;
    if (fstat(fd, &info) != 0)
        code = errno;
    else if (!S_ISREG(info.st_mode))
        code = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    if (code == 0)
        return fd;
    close(fd);
    errno = code;
    return -1;
}

Status readRegularFile(const std::string &path, std::size_t limit, std::string &bytes)
{
    bytes.clear();
    const int fd = openRegularFile(path);
    if (fd < 0)
        return lastError();
    const Status status = readAtMost(fd, limit, bytes);
    close(fd);
    if (!status.ok())
        bytes.clear();
    return status;
}

} // namespace platform
