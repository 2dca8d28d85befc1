#include "folderio.h"

#include "folderpaths.h"
#include "platform/filesystem.h"
#include "platform/foldercopy.h"

namespace engine
{

platform::FolderOutcome SystemFolderIo::dressFolder(const std::string &folder,
                                                    std::string_view bytes,
                                                    std::uint32_t fileAttributes,
                                                    std::uint32_t folderAttributes)
{
    return platform::dressFolder(folder, kDesktopIni, bytes, fileAttributes, folderAttributes);
}

platform::FolderOutcome SystemFolderIo::undressFolder(const std::string &folder,
                                                      std::uint32_t folderAttributes)
{
    return platform::undressFolder(folder, kDesktopIni, folderAttributes);
}

platform::Status FolderIo::readFolderFile(const std::string &folder, const std::string &name,
                                          std::size_t limit, std::string &bytes)
{
    return platform::readFolderFile(folder, name, limit, bytes);
}

platform::FolderOutcome FolderIo::writeFolderFile(const std::string &folder,
                                                  const std::string &name, std::string_view bytes,
                                                  std::uint32_t fileAttributes)
{
    return platform::writeFolderFile(folder, name, bytes, fileAttributes);
}

platform::Status FolderIo::removeFolderFile(const std::string &folder, const std::string &name)
{
    return platform::removeFolderFile(folder, name);
}

void SystemFolderIo::notifyFolderChanged(const std::string &folder)
{
    platform::notifyFolderChanged(folder);
}

} // namespace engine
