#include "folderdressing.h"

#include "attributes.h"
#include "dosattrib.h"
#include "folderentry_posix.h"
#include "openfolder_posix.h"
#include "posixfile.h"
#include "temporaryname.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr int kTemporaryNameAttempts = 100;
constexpr mode_t kAllWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t kNewFileMode = 0644;   // what a first file gets: readable to every client
constexpr mode_t kUnsettledMode = 0600; // until then nobody else may open it

Status errorStatus(int code)
{
    return Status::failure(code, std::strerror(code));
}

// Nothing is written over a link, a folder or a read-only file. `old` gets the old file's status
// (st_nlink 0 when there is none).
Status checkReplaceable(const OpenFolder &folder, const std::string &name, struct stat &old)
{
    if (!folder.statEntry(name, old)) {
        old = {};
        return errno == ENOENT ? Status::success() : lastError();
    }
    if (S_ISLNK(old.st_mode))
        return errorStatus(ELOOP);
    if (S_ISDIR(old.st_mode))
        return errorStatus(EISDIR);
    if (S_ISREG(old.st_mode) && folder.readOnlyEntry(name, old))
        return errorStatus(EACCES);
    return Status::success();
}

// Keeps the first attribute failure; `path` is only built for one.
template <typename PathFn> void noteAttributes(FolderOutcome &outcome, Status status, PathFn path)
{
    if (status.ok() || !outcome.attributes.ok())
        return;
    outcome.attributes = std::move(status);
    outcome.attributesPath = path();
}

// The new file's attributes, then the owner and group of the old file, or of the folder for a
// first one, where we may give them (as root: a file in someone's folder must stay theirs to
// change) and the old file's permissions or 0644 whatever the umask, never set-id bits; read-only
// also takes every write bit away, as setFileAttributes does. Only what differs is changed.
// Ownership is best effort; the other failures are the attributes' to report.
Status settleFile(int fd, const FileAttributeChange &attributes, const struct stat &old, int folder)
{
    Status status =
        changeAttributes(fd, attributes.basis, attributes.wanted, kFileManagedAttributes);
    const bool hadOld = old.st_nlink != 0, readOnly = attributes.wanted & kAttrReadOnly;
    struct stat now = {}, owner = old;
    if (fstat(fd, &now) != 0 || (!hadOld && fstat(folder, &owner) != 0))
        return status;
    bool chowned = false;
    if (now.st_uid != owner.st_uid || now.st_gid != owner.st_gid) {
        chowned = fchown(fd, owner.st_uid, owner.st_gid) == 0 ||
                  fchown(fd, static_cast<uid_t>(-1), owner.st_gid) == 0;
    }
    mode_t wanted = hadOld ? old.st_mode & 01777 : kNewFileMode;
    if (readOnly && status.ok())
        wanted &= ~kAllWriteBits;
    if ((chowned || wanted != (now.st_mode & 07777)) && fchmod(fd, wanted) != 0 && readOnly &&
        status.ok())
        status = lastError();
    return status;
}

std::atomic<bool> g_linkThroughProc{false}; // naming an open file directly was refused once

// Gives the unnamed file `fd` the name `target` in the folder; fails with EEXIST when taken.
// Naming an open file directly needs root (or Linux 6.10); else it is reached through /proc.
int nameUnnamed(int fd, int folder, const std::string &target)
{
    if (!g_linkThroughProc.load(std::memory_order_relaxed)) {
        const int linked = linkat(fd, "", folder, target.c_str(), AT_EMPTY_PATH);
        if (linked == 0 || (errno != ENOENT && errno != EPERM))
            return linked;
        // ENOENT is the kernel's refusal; EPERM a filter's, or a real one /proc will repeat.
        if (errno == ENOENT)
            g_linkThroughProc.store(true, std::memory_order_relaxed);
    }
    char source[40] = "/proc/self/fd/";
    *std::to_chars(source + 14, source + sizeof source - 1, fd).ptr = '\0';
    return linkat(AT_FDCWD, source, folder, target.c_str(), AT_SYMLINK_FOLLOW);
}

// A new hidden file beside `name`, never more open than the old file; its name goes into
// `temporary`. The holder of the folder's lock takes the fixed name: finding it there already
// means a killed run left it, and only then is the folder searched for what else was left.
int createTemporary(const OpenFolder &folder, const std::string &name, const struct stat &old,
                    bool locked, std::string &temporary, FolderOutcome &outcome)
{
    const mode_t mode = old.st_nlink != 0 ? old.st_mode & 0777 : kUnsettledMode;
    const auto create = [&] {
        return openat(folder.fd(), temporary.c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    };
    if (locked) {
        temporary = lockedTemporaryNameFor(name);
        int fd = create();
        if (fd >= 0 || errno != EEXIST)
            return fd;
        folder.removeStaleTemporaries(name, outcome.leftover, outcome.leftoverPath);
        if ((fd = create()) >= 0 || errno != EEXIST)
            return fd;
    }
    folder.markRandomTemporary();
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = temporaryNameFor(name);
        const int fd = create();
        if (fd >= 0)
            folder.markRandomTemporary();
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// One attempt at the replacing road: the new file under a hidden name, whole, with its
// attributes and the old file's permissions, then renamed over `name`. `vanished` says its
// hidden name was taken away before the rename (a run tidying the same folder).
Status replaceOnce(const OpenFolder &folder, const std::string &name, std::string_view bytes,
                   const FileAttributeChange &attributes, const struct stat &old, bool locked,
                   FolderOutcome &outcome, bool &vanished)
{
    std::string temporary;
    Descriptor file(createTemporary(folder, name, old, locked, temporary, outcome));
    if (file.get() < 0)
        return lastError();
    Status status = writeAll(file.get(), bytes);
    if (status.ok())
        noteAttributes(outcome, settleFile(file.get(), attributes, old, folder.fd()),
                       [&] { return folder.entryPath(name); });
    Status closed = file.close(); // closed first, so close's failure counts
    if (status.ok())
        status = std::move(closed);
    if (status.ok() && renameat(folder.fd(), temporary.c_str(), folder.fd(), name.c_str()) == 0)
        return status;
    if (status.ok())
        status = lastError();
    vanished = status.code == ENOENT;
    if (!vanished && unlinkat(folder.fd(), temporary.c_str(), 0) != 0 && errno != ENOENT) {
        outcome.leftover = lastError();
        outcome.leftoverPath = folder.entryPath(temporary);
    }
    return status;
}

// Replaces the folder's file. Of our runs only one at a time holds a folder's lock (released when
// the folder is closed, or the run killed). A run that cannot have it (another is writing here,
// or the file system has no locks) uses a random hidden name and searches the folder for
// leftovers first.
Status writeReplacement(const OpenFolder &folder, const std::string &name, std::string_view bytes,
                        const FileAttributeChange &attributes, const struct stat &old,
                        FolderOutcome &outcome)
{
    const bool locked = flock(folder.fd(), LOCK_EX | LOCK_NB) == 0;
    if (!locked)
        folder.removeStaleTemporaries(name, outcome.leftover, outcome.leftoverPath);
    Status status;
    bool vanished = true;
    for (int attempt = 0; attempt < 2 && vanished; ++attempt) {
        vanished = false;
        status = replaceOnce(folder, name, bytes, attributes, old, locked, outcome, vanished);
    }
    return status;
}

// Only where /proc shows our descriptors can an unnamed file be given a name.
bool canNameUnnamedFiles()
{
    static const bool available = access("/proc/self/fd", X_OK) == 0;
    return available;
}

// An unnamed file in the folder; EOPNOTSUPP where it could not be given a name later.
int createUnnamed(int folder)
{
    if (!canNameUnnamedFiles()) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, kUnsettledMode);
}

Status writeFile(const OpenFolder &folder, const std::string &name, std::string_view bytes,
                 const FileAttributeChange &attributes, FolderOutcome &outcome, int retries);

// A folder without the file: an unnamed file takes the name only once whole and hidden, so a
// kill leaves nothing here and there is nothing stale to look for. Where the file system has no
// unnamed files, or a file took the name meanwhile, the replacing road is taken.
Status writeNew(const OpenFolder &folder, const std::string &name, std::string_view bytes,
                const FileAttributeChange &attributes, FolderOutcome &outcome, int retries)
{
    const struct stat none = {};
    Descriptor file(createUnnamed(folder.fd()));
    if (file.get() < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
            return writeReplacement(folder, name, bytes, attributes, none, outcome);
        return lastError();
    }
    Status status = writeAll(file.get(), bytes);
    if (status.ok())
        noteAttributes(outcome, settleFile(file.get(), attributes, none, folder.fd()),
                       [&] { return folder.entryPath(name); });
    if (!status.ok() || nameUnnamed(file.get(), folder.fd(), name) == 0)
        return status;
    if (errno != EEXIST || retries == 0)
        return lastError();
    return writeFile(folder, name, bytes, attributes, outcome, retries - 1);
}

// Looks at what holds the name now and takes the road for it; `retries` bounds the new file's
// attempts to take a name that keeps being taken.
Status writeFile(const OpenFolder &folder, const std::string &name, std::string_view bytes,
                 const FileAttributeChange &attributes, FolderOutcome &outcome, int retries)
{
    struct stat old = {};
    Status status = checkReplaceable(folder, name, old);
    if (!status.ok())
        return status;
    if (old.st_nlink == 0)
        return writeNew(folder, name, bytes, attributes, outcome, retries);
    return writeReplacement(folder, name, bytes, attributes, old, outcome);
}

// Deletes as deleteFile does: a read-only file is refused, a link is removed itself.
Status deleteEntry(const OpenFolder &folder, const std::string &name)
{
    struct stat info = {};
    if (!folder.statEntry(name, info))
        return lastError();
    if (S_ISREG(info.st_mode) && folder.readOnlyEntry(name, info))
        return errorStatus(EACCES);
    if (unlinkat(folder.fd(), name.c_str(), 0) != 0)
        return lastError();
    return Status::success();
}

// False, with the reason in `outcome`, when the folder could not be opened.
bool opened(const OpenFolder &folder, FolderOutcome &outcome)
{
    if (!folder.isOpen())
        outcome.file = folder.openError();
    return folder.isOpen();
}

// Sets the folder's managed bits, keeping the rest of what it stores.
void settleFolder(const OpenFolder &folder, std::uint32_t attributes, FolderOutcome &outcome)
{
    noteAttributes(outcome,
                   changeAttributes(folder.fd(), storedDosAttrib(folder.fd()), attributes,
                                    kFolderManagedAttributes),
                   [&] { return folder.path(); });
}

// Dresses with `bytes`, or with what `compose` makes of the old file when it is given.
FolderOutcome dress(const std::string &folderPath, const std::string &name,
                    const FileComposer *compose, std::string_view bytes,
                    std::uint32_t fileAttributes, std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    const OpenFolder folder(folderPath);
    if (!opened(folder, outcome))
        return outcome;
    folder.removeMarkedTemporaries(name, outcome.leftover, outcome.leftoverPath);
    std::optional<EntryContent> old;
    const Status read = readEntry(folder, name, kKeptFileLimit, old);
    if (!read.ok() && compose != nullptr) {
        outcome.file = read;
        return outcome;
    }
    std::optional<std::string> composed;
    if (compose != nullptr)
        composed = (*compose)(old ? std::optional(old->bytes) : std::nullopt);
    const FileAttributeChange attributes{fileAttributes, old ? old->dosAttrib : std::string()};
    outcome.file = writeFile(folder, name, composed ? *composed : bytes, attributes, outcome, 1);
    if (outcome.file.ok())
        settleFolder(folder, folderAttributes, outcome);
    return outcome;
}

} // namespace

FolderOutcome dressFolder(const std::string &folderPath, const std::string &name,
                          std::string_view bytes, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes)
{
    return dress(folderPath, name, nullptr, bytes, fileAttributes, folderAttributes);
}

FolderOutcome dressFolder(const std::string &folderPath, const std::string &name,
                          const FileComposer &compose, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes)
{
    return dress(folderPath, name, &compose, {}, fileAttributes, folderAttributes);
}

FolderOutcome undressFolder(const std::string &folderPath, const std::string &name,
                            std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    const OpenFolder folder(folderPath);
    if (!opened(folder, outcome))
        return outcome;
    folder.removeStaleTemporaries(name, outcome.leftover, outcome.leftoverPath);
    outcome.file = deleteEntry(folder, name);
    settleFolder(folder, folderAttributes, outcome);
    return outcome;
}

FolderOutcome undressFolder(const std::string &folderPath, const std::string &name,
                            const FileComposer &remains, std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    const OpenFolder folder(folderPath);
    if (!opened(folder, outcome))
        return outcome;
    folder.removeStaleTemporaries(name, outcome.leftover, outcome.leftoverPath);
    std::optional<EntryContent> old;
    if (outcome.file = readEntry(folder, name, kKeptFileLimit, old); !outcome.file.ok())
        return outcome; // what cannot be read cannot be kept: the file and the folder stay
    const std::optional<std::string> kept = old ? remains(old->bytes) : std::nullopt;
    if (!kept) {
        outcome.file = deleteEntry(folder, name);
        settleFolder(folder, folderAttributes, outcome);
    } else if (*kept != old->bytes) {
        const std::uint32_t bits = decodeDosAttrib(old->dosAttrib).value_or(0);
        outcome.file = writeFile(folder, name, *kept, {bits, old->dosAttrib}, outcome, 1);
    }
    return outcome;
}

} // namespace platform
