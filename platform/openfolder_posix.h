#pragma once

#include "status.h"

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace platform
{

// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor();
    int get() const { return m_fd; }
    // Closes now; the failure of close is the last word on a written file.
    Status close();

private:
    int m_fd; // -1 once closed
};

// A folder opened once, never through a link in its place; every call on its entries goes
// through the descriptor, so a link swapped in for the folder later leads nowhere.
class OpenFolder
{
public:
    explicit OpenFolder(std::string path); // the folder's path, with or without a final "/"
    bool isOpen() const { return m_dir.get() >= 0; }
    Status openError() const { return m_openError; }
    int fd() const { return m_dir.get(); }
    const std::string &path() const { return m_path; }
    // `name` inside the folder, for messages.
    std::string entryPath(const std::string &name) const;

    // The entry `name` itself (a link is not followed); false with errno when it cannot be read.
    bool statEntry(const std::string &name, struct stat &info) const;
    // Read-only as getFileAttributes reports it: no write bits, or the stored attributes say so.
    bool readOnlyEntry(const std::string &name, const struct stat &info) const;
    // Removes the regular files named as our temporaries of `name`; a link or a folder is left
    // alone. The first removal that failed goes into `failure` and its path into `failedPath`.
    void removeStaleTemporaries(const std::string &name, Status &failure,
                                std::string &failedPath) const;
    // Marks the folder before and after a temporary of ours takes a random name in it: only then
    // must a later run list the folder to find what a killed run left. Best effort.
    void markRandomTemporary() const;
    // When the folder is marked, takes the mark away and then removes the stale temporaries as
    // above: a name taken after the listing began is marked again by its run.
    void removeMarkedTemporaries(const std::string &name, Status &failure,
                                 std::string &failedPath) const;

private:
    Descriptor m_dir;   // the folder, or -1
    Status m_openError; // why it could not be opened
    std::string m_path; // as given, for messages
};

// Writes the attributes of an open file or folder, or removes them when nothing is left to keep.
Status storeAttributes(int fd, std::uint32_t attributes);

} // namespace platform
