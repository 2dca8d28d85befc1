#include "folderdressing.h"

#include "attributes.h"
#include "dosattrib.h"
#include "posixfile.h"
#include "temporaryname.h"

#include <cerrno>
#include <cstdio>
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
constexpr mode_t kAllWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

Status errorStatus(int code)
{
    return Status::failure(code, std::strerror(code));
}

// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closes now; the failure of close is the last word on a written file.
    Status close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? Status::success() : lastError();
    }

private:
    int m_fd; // -1 once closed
};

// The folder itself, never what a link in its place points to; "" names nothing.
int openFolder(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty()) {
        errno = ENOENT;
        return -1;
    }
    return open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// "/proc/self/fd/N/name": the entry `name` of an open folder, reached by path only where a call
// has no descriptor form; the folder part cannot be swapped.
std::string entryThroughDescriptor(int folder, const std::string &name)
{
    return "/proc/self/fd/" + std::to_string(folder) + "/" + name;
}

// Writes the attributes of an open file or folder, or removes them when nothing is left to keep.
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

// Read-only as getFileAttributes reports it: no write bits, or the stored attributes say so.
bool readOnlyEntry(int folder, const std::string &name, const struct stat &info)
{
    if ((info.st_mode & kAllWriteBits) == 0)
        return true;
    char buffer[256];
    const ssize_t size = lgetxattr(entryThroughDescriptor(folder, name).c_str(), kDosAttribName,
                                   buffer, sizeof buffer);
    if (size < 0)
        return false;
    const auto stored = decodeDosAttrib(std::string_view(buffer, std::size_t(size)));
    return stored && (*stored & kAttrReadOnly);
}

// Nothing is written over a link, a folder or a read-only file. `old` gets the old file's status
// (st_nlink 0 when there is none).
Status checkReplaceable(int folder, const std::string &name, struct stat &old)
{
    if (fstatat(folder, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0) {
        old = {};
        return errno == ENOENT ? Status::success() : lastError();
    }
    if (S_ISLNK(old.st_mode))
        return errorStatus(ELOOP);
    if (S_ISDIR(old.st_mode))
        return errorStatus(EISDIR);
    if (S_ISREG(old.st_mode) && readOnlyEntry(folder, name, old))
        return errorStatus(EACCES);
    return Status::success();
}

// Removes the regular files named as our temporaries of `name`; a link or a folder is left alone,
// and unlinkat removes a name, never what it points to. The first removal that failed is noted.
void removeStaleTemporaries(int folder, const std::string &name, FolderOutcome &outcome)
{
    alignas(struct dirent64) char buffer[32768];
    for (;;) {
        const ssize_t got = getdents64(folder, buffer, sizeof buffer);
        if (got <= 0)
            return;
        for (ssize_t at = 0; at < got;) {
            const auto *entry = reinterpret_cast<const struct dirent64 *>(buffer + at);
            at += entry->d_reclen;
            if (!isTemporaryName(entry->d_name, name))
                continue;
            struct stat info = {};
            const bool regular = entry->d_type == DT_REG ||
                                 (entry->d_type == DT_UNKNOWN &&
                                  fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                                  S_ISREG(info.st_mode));
            if (regular && unlinkat(folder, entry->d_name, 0) != 0 && errno != ENOENT &&
                outcome.leftover.ok()) {
                outcome.leftover = lastError();
                outcome.leftoverPath = entry->d_name;
            }
        }
    }
}

// Only where /proc shows our descriptors can an unnamed file be given a name.
bool canNameUnnamedFiles()
{
    static const bool available = access("/proc/self/fd", X_OK) == 0;
    return available;
}

// A new file for the folder: unnamed (O_TMPFILE) where the file system has them, so a kill leaves
// nothing behind; else a new hidden name, put into `temporary`.
int createTemporary(int folder, const std::string &name, std::string &temporary)
{
    temporary.clear();
    if (canNameUnnamedFiles()) {
        const int fd = openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return fd;
    }
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = temporaryNameFor(name);
        const int fd = openat(folder, temporary.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The new file takes the old one's permissions (never set-id bits) and, where we may give them
// (as root), its owner and group: replacing a file in someone's folder must not hand it to us.
void keepOwnership(int fd, const struct stat &old)
{
    if (old.st_nlink == 0)
        return;
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)!fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    (void)!fchmod(fd, old.st_mode & 01777);
}

// Gives the unnamed file `fd` the name `target` in the folder; fails with EEXIST when taken.
int nameUnnamed(int fd, int folder, const std::string &target)
{
    char source[40];
    std::snprintf(source, sizeof source, "/proc/self/fd/%d", fd);
    return linkat(AT_FDCWD, source, folder, target.c_str(), AT_SYMLINK_FOLLOW);
}

// Links the unnamed file under a fresh hidden name, filling `temporary`.
int nameTemporary(int fd, int folder, const std::string &name, std::string &temporary)
{
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = temporaryNameFor(name);
        if (nameUnnamed(fd, folder, temporary) == 0)
            return 0;
        if (errno != EEXIST)
            break;
    }
    temporary.clear();
    return -1;
}

// Renames the new file over `name`. An unnamed file gets a hidden name first, and a fresh one
// when a run tidying the same folder removed it before the rename.
Status renameIntoPlace(int fd, int folder, const std::string &name, bool unnamed,
                       std::string &temporary)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (unnamed && nameTemporary(fd, folder, name, temporary) != 0)
            return lastError();
        if (renameat(folder, temporary.c_str(), folder, name.c_str()) == 0)
            return Status::success();
        if (!unnamed || errno != ENOENT)
            return lastError();
    }
    return errorStatus(ENOENT);
}

// Puts the written file in place: an unnamed one straight under `name` when there is no old file.
Status install(int fd, int folder, const std::string &name, const struct stat &old, bool unnamed,
               std::string &temporary)
{
    if (unnamed && old.st_nlink == 0) {
        if (nameUnnamed(fd, folder, name) == 0)
            return Status::success();
        if (errno != EEXIST)
            return lastError();
    }
    return renameIntoPlace(fd, folder, name, unnamed, temporary);
}

std::string entryPath(const std::string &folder, const std::string &name)
{
    return folder + (!folder.empty() && folder.back() == '/' ? "" : "/") + name;
}

void noteAttributes(FolderOutcome &outcome, Status status, const std::string &path)
{
    if (status.ok() || !outcome.attributes.ok())
        return;
    outcome.attributes = std::move(status);
    outcome.attributesPath = path;
}

// The file's attributes; read-only also takes every write bit away, as setFileAttributes does.
Status storeFileAttributes(int fd, std::uint32_t attributes)
{
    Status status = storeAttributes(fd, attributes);
    struct stat info = {};
    if (status.ok() && (attributes & kAttrReadOnly) && fstat(fd, &info) == 0 &&
        fchmod(fd, info.st_mode & 07777 & ~kAllWriteBits) != 0)
        status = lastError();
    return status;
}

// Writes the new file, gives it its attributes and the old file's permissions, then puts it in
// place; a temporary name that could not be removed after a failure is noted.
Status writeFile(int folder, const std::string &folderPath, const std::string &name,
                 std::string_view bytes, std::uint32_t attributes, const struct stat &old,
                 FolderOutcome &outcome)
{
    std::string temporary;
    Descriptor file(createTemporary(folder, name, temporary));
    if (file.get() < 0)
        return lastError();
    const bool unnamed = temporary.empty();
    Status status = writeAll(file.get(), bytes);
    if (status.ok()) {
        keepOwnership(file.get(), old);
        noteAttributes(outcome, storeFileAttributes(file.get(), attributes),
                       entryPath(folderPath, name));
    }
    if (!unnamed) {
        Status closed = file.close(); // a named file is closed first, so close's failure counts
        if (status.ok())
            status = std::move(closed);
    }
    if (status.ok())
        status = install(file.get(), folder, name, old, unnamed, temporary);
    if (!status.ok() && !temporary.empty() && unlinkat(folder, temporary.c_str(), 0) != 0 &&
        errno != ENOENT) {
        outcome.leftover = lastError();
        outcome.leftoverPath = entryPath(folderPath, temporary);
    }
    return status;
}

// Deletes as deleteFile does: a read-only file is refused, a link is removed itself.
Status deleteEntry(int folder, const std::string &name)
{
    struct stat info = {};
    if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return lastError();
    if (S_ISREG(info.st_mode) && readOnlyEntry(folder, name, info))
        return errorStatus(EACCES);
    if (unlinkat(folder, name.c_str(), 0) != 0)
        return lastError();
    return Status::success();
}

// The stale temporaries' failure names the file in the folder.
void tidy(int folder, const std::string &folderPath, const std::string &name,
          FolderOutcome &outcome)
{
    removeStaleTemporaries(folder, name, outcome);
    if (!outcome.leftover.ok())
        outcome.leftoverPath = entryPath(folderPath, outcome.leftoverPath);
}

// False, with the reason in `outcome`, when the folder could not be opened.
bool opened(const Descriptor &dir, FolderOutcome &outcome)
{
    if (dir.get() >= 0)
        return true;
    outcome.file = lastError();
    return false;
}

} // namespace

FolderOutcome dressFolder(const std::string &folder, const std::string &name,
                          std::string_view bytes, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    Descriptor dir(openFolder(folder));
    if (!opened(dir, outcome))
        return outcome;
    tidy(dir.get(), folder, name, outcome);
    struct stat old = {};
    outcome.file = checkReplaceable(dir.get(), name, old);
    if (outcome.file.ok())
        outcome.file = writeFile(dir.get(), folder, name, bytes, fileAttributes, old, outcome);
    if (outcome.file.ok())
        noteAttributes(outcome, storeAttributes(dir.get(), folderAttributes), folder);
    return outcome;
}

FolderOutcome undressFolder(const std::string &folder, const std::string &name,
                            std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    Descriptor dir(openFolder(folder));
    if (!opened(dir, outcome))
        return outcome;
    tidy(dir.get(), folder, name, outcome);
    outcome.file = deleteEntry(dir.get(), name);
    noteAttributes(outcome, storeAttributes(dir.get(), folderAttributes), folder);
    return outcome;
}

} // namespace platform
