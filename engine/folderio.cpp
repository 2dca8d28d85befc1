#include "folderio.h"

#include "platform/attributes.h"
#include "platform/filesystem.h"

namespace engine
{

platform::Status SystemFolderIo::deleteFile(const std::string &path)
{
    return platform::deleteFile(path);
}

platform::Status SystemFolderIo::replaceFile(const std::string &path, std::string_view bytes)
{
    return platform::replaceFile(path, bytes);
}

platform::Status SystemFolderIo::setAttributes(const std::string &path, std::uint32_t attributes)
{
    return platform::setFileAttributes(path, attributes);
}

void SystemFolderIo::notifyFolderChanged(const std::string &folder)
{
    platform::notifyFolderChanged(folder);
}

} // namespace engine
