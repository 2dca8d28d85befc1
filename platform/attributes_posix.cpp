#include "attributes.h"

#include "dosattrib.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr mode_t kAllWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

Status errorStatus(int code)
{
    return Status::failure(code, std::strerror(code));
}

// The stored DOS attributes; nullopt when absent, unreadable or malformed.
std::optional<std::uint32_t> readStoredAttributes(const std::string &path)
{
    char buffer[256];
    const ssize_t size = getxattr(path.c_str(), kDosAttribName, buffer, sizeof buffer);
    if (size < 0)
        return std::nullopt;
    return decodeDosAttrib(std::string_view(buffer, std::size_t(size)));
}

// Writes the attributes into the extended attribute (Samba's record stays one, with its creation
// time), or removes it when nothing is left to keep.
Status storeAttributes(const std::string &path, std::uint32_t attributes)
{
    char stored[256];
    const ssize_t size = getxattr(path.c_str(), kDosAttribName, stored, sizeof stored);
    const std::string text =
        dosAttribFor(std::string_view(stored, size < 0 ? 0 : std::size_t(size)), attributes);
    if (text.empty()) {
        if (removexattr(path.c_str(), kDosAttribName) == 0 || errno == ENODATA)
            return Status::success();
        // A filesystem without user attributes already holds "nothing stored".
        if (errno == ENOTSUP || errno == EOPNOTSUPP)
            return Status::success();
        return lastError();
    }
    if (setxattr(path.c_str(), kDosAttribName, text.data(), text.size(), 0) != 0)
        return lastError();
    return Status::success();
}

// Permission bits after setting `attributes` on a file: read-only takes every write bit away,
// anything else gives the owner its write bit back.
mode_t modeForAttributes(mode_t mode, std::uint32_t attributes)
{
    if (attributes & kAttrReadOnly)
        return mode & ~kAllWriteBits;
    if ((mode & kAllWriteBits) == 0)
        return mode | S_IWUSR;
    return mode;
}

Status changeMode(const std::string &path, mode_t mode)
{
    if (chmod(path.c_str(), mode & 07777) != 0)
        return lastError();
    return Status::success();
}

} // namespace

std::uint32_t getFileAttributes(const std::string &path)
{
    struct stat info = {};
    if (path.empty() || stat(path.c_str(), &info) != 0)
        return kInvalidAttributes;
    const bool folder = S_ISDIR(info.st_mode);
    std::uint32_t attributes = readStoredAttributes(path).value_or(folder ? 0 : kAttrArchive);
    attributes &= ~kAttrDirectory;
    if (folder)
        attributes |= kAttrDirectory;
    else if ((info.st_mode & kAllWriteBits) == 0)
        attributes |= kAttrReadOnly;
    if (attributes == 0)
        attributes = kAttrNormal;
    return attributes;
}

Status setFileAttributes(const std::string &path, std::uint32_t attributes)
{
    struct stat info = {};
    if (path.empty())
        return errorStatus(ENOENT);
    if (stat(path.c_str(), &info) != 0)
        return lastError();
    attributes &= ~kAttrDirectory;
    if (S_ISDIR(info.st_mode))
        return storeAttributes(path, attributes);

    // Without the owner's write bit the kernel refuses the owner user attributes; lend it.
    const bool lent = (info.st_mode & S_IWUSR) == 0 && info.st_uid == geteuid();
    if (lent) {
        if (Status status = changeMode(path, info.st_mode | S_IWUSR); !status.ok())
            return status;
    }
    if (Status status = storeAttributes(path, attributes); !status.ok()) {
        if (lent)
            changeMode(path, info.st_mode);
        return status;
    }
    const mode_t wanted = modeForAttributes(info.st_mode, attributes);
    if (lent || wanted != info.st_mode)
        return changeMode(path, wanted);
    return Status::success();
}

} // namespace platform
