#include "foldercopy.h"

#include "folderentry_posix.h"
#include "openfolder_posix.h"

#include <cerrno>
#include <cstring>
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
    std::optional<EntryContent> content;
    if (Status status = readEntry(folder, name, limit, content); !status.ok())
        return status;
    if (!content)
        return errorStatus(ENOENT);
    bytes = std::move(content->bytes);
    return Status::success();
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
