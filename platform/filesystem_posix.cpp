#include "filesystem.h"

#include "attributes.h"
#include "dosattrib.h"
#include "posixfile.h"
#include "temporaryname.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr int kTemporaryNameAttempts = 100;

Status errorStatus(int code)
{
    return Status::failure(code, std::strerror(code));
}

// A hidden name next to `path`, unique enough that O_EXCL rarely has to try again.
std::string temporaryPathFor(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + temporaryNameFor(path.substr(slash == std::string::npos ? 0 : slash + 1));
}

// Creates a new hidden file beside `path`; fills `name` with its path.
int createTemporaryFile(const std::string &path, std::string &name)
{
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = temporaryPathFor(path);
        const int fd =
            open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Read-only as getFileAttributes reports it for a regular file, from an lstat already made:
// no write bits, or the stored attributes say so.
bool readOnlyFile(const std::string &path, const struct stat &info)
{
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    char buffer[256];
    const ssize_t size = getxattr(path.c_str(), kDosAttribName, buffer, sizeof buffer);
    if (size < 0)
        return false;
    const auto stored = decodeDosAttrib(std::string_view(buffer, std::size_t(size)));
    return stored && (*stored & kAttrReadOnly);
}

// Nothing is written over a symbolic link, a folder or a read-only file. `info` gets the old
// file's status (st_nlink 0 when there is none).
Status checkReplaceable(const std::string &path, struct stat &info)
{
    info = {};
    if (lstat(path.c_str(), &info) != 0) {
        info = {};
        return errno == ENOENT ? Status::success() : lastError();
    }
    if (S_ISLNK(info.st_mode))
        return errorStatus(ELOOP);
    if (S_ISDIR(info.st_mode))
        return errorStatus(EISDIR);
    if (readOnlyFile(path, info))
        return errorStatus(EACCES);
    return Status::success();
}

std::string withoutTrailingSeparators(const std::string &path)
{
    std::size_t end = path.size();
    while (end > 1 && path[end - 1] == '/')
        --end;
    return path.substr(0, end);
}

// The new file takes the old one's permissions and, where we may give them (as root), its owner
// and group: replacing a file in someone's folder must not hand it to us. Best effort.
void keepOwnership(int fd, const struct stat &old)
{
    if (old.st_nlink == 0)
        return;
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)!fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    (void)!fchmod(fd, old.st_mode & 07777);
}

} // namespace

char nativeSeparator()
{
    return '/';
}

bool isDirectory(const std::string &path)
{
    struct stat info = {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isSymbolicLink(const std::string &path)
{
    struct stat info = {};
    return !path.empty() && lstat(withoutTrailingSeparators(path).c_str(), &info) == 0 &&
           S_ISLNK(info.st_mode);
}

Status deleteFile(const std::string &path)
{
    struct stat info = {};
    if (path.empty())
        return errorStatus(ENOENT);
    if (lstat(path.c_str(), &info) != 0)
        return lastError();
    if (S_ISREG(info.st_mode) && readOnlyFile(path, info))
        return errorStatus(EACCES);
    if (unlink(path.c_str()) != 0)
        return lastError();
    return Status::success();
}

Status replaceFile(const std::string &path, std::string_view bytes)
{
    if (path.empty())
        return errorStatus(ENOENT);
    struct stat old = {};
    if (Status status = checkReplaceable(path, old); !status.ok())
        return status;
    std::string temporary;
    const int fd = createTemporaryFile(path, temporary);
    if (fd < 0)
        return lastError();
    keepOwnership(fd, old);
    Status status = writeAll(fd, bytes);
    if (close(fd) != 0 && status.ok())
        status = lastError();
    if (status.ok() && rename(temporary.c_str(), path.c_str()) != 0)
        status = lastError();
    if (!status.ok())
        unlink(temporary.c_str());
    return status;
}

void notifyFolderChanged(const std::string &)
{
    // File managers on POSIX watch folders themselves (inotify); there is no shell to tell.
}

Status readFile(const std::string &path, std::string &bytes)
{
    return readFile(path, bytes, std::string::npos - 1);
}

Status readFile(const std::string &path, std::string &bytes, std::size_t limit)
{
    // A FIFO or a device in a file's place would block or never end: only regular files are read.
    return readRegularFile(path, limit, bytes);
}

Status readFileStart(const std::string &path, std::size_t count, std::string &bytes)
{
    bytes.clear();
    const int fd = openRegularFile(path);
    if (fd < 0)
        return lastError();
    std::string buffer(count, '\0');
    std::size_t got = 0;
    Status status;
    while (got < count) {
        const ssize_t chunk = read(fd, buffer.data() + got, count - got);
        if (chunk == 0)
            break;
        if (chunk < 0 && errno != EINTR) {
            status = lastError();
            break;
        }
        got += chunk > 0 ? std::size_t(chunk) : 0;
    }
    close(fd);
    if (status.ok())
        bytes = buffer.substr(0, got);
    return status;
}

std::vector<std::string> regularFileNames(const std::string &folder)
{
    std::vector<std::string> names;
    DIR *dir = opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    const std::string prefix = folder.ends_with('/') ? folder : folder + '/';
    while (const dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        // The entry's own type when the file system gives it; a link's target by stat, never by
        // opening it, so a FIFO is told apart without being waited on.
        const bool unknown = entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
        struct stat info = {};
        if (entry->d_type == DT_REG ||
            (unknown && stat((prefix + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)))
            names.push_back(name);
    }
    closedir(dir);
    return names;
}

std::string canonicalPath(const std::string &path)
{
    char resolved[PATH_MAX];
    return !path.empty() && realpath(path.c_str(), resolved) ? std::string(resolved)
                                                             : std::string();
}

} // namespace platform
