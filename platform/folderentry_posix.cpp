#include "folderentry_posix.h"

#include "attributes.h"
#include "dosattrib.h"
#include "posixfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform
{

Status readEntry(const OpenFolder &folder, const std::string &name, std::size_t limit,
                 std::optional<EntryContent> &content)
{
    content.reset();
    Descriptor file(openat(folder.fd(), name.c_str(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return errno == ENOENT ? Status::success() : lastError();
    struct stat info = {};
    if (fstat(file.get(), &info) != 0)
        return lastError();
    if (!S_ISREG(info.st_mode))
        return Status::success();
    EntryContent read;
    if (Status status = readOpenFile(file.get(), limit, read.bytes); !status.ok())
        return status;
    read.dosAttrib = storedDosAttrib(file.get());
    content = std::move(read);
    return Status::success();
}

std::string storedDosAttrib(int fd)
{
    char buffer[256];
    const ssize_t size = fgetxattr(fd, kDosAttribName, buffer, sizeof buffer);
    return size < 0 ? std::string() : std::string(buffer, std::size_t(size));
}

Status changeAttributes(int fd, std::string_view basis, std::uint32_t wanted, std::uint32_t managed)
{
    const std::uint32_t current = decodeDosAttrib(basis).value_or(0);
    const std::string value = dosAttribFor(basis, mergeAttributes(current, wanted, managed));
    if (value.empty()) {
        // A file system without user attributes already holds "nothing stored".
        if (fremovexattr(fd, kDosAttribName) == 0 || errno == ENODATA || errno == ENOTSUP)
            return Status::success();
        return lastError();
    }
    if (fsetxattr(fd, kDosAttribName, value.data(), value.size(), 0) != 0)
        return lastError();
    return Status::success();
}

} // namespace platform
