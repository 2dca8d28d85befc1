#include "folderio.h"

#include "folderpaths.h"
#include "platform/filesystem.h"
#include "platform/foldercopy.h"

namespace engine
{

platform::FolderOutcome FolderIo::dressFolderKeeping(const std::string &folder,
                                                     const platform::FileComposer &compose,
                                                     std::uint32_t fileAttributes,
                                                     std::uint32_t folderAttributes)
{
    return dressFolder(folder, compose(std::nullopt).value_or(std::string()), fileAttributes,
                       folderAttributes);
}

platform::FolderOutcome FolderIo::undressFolderKeeping(const std::string &folder,
                                                       const platform::FileComposer &,
                                                       std::uint32_t folderAttributes)
{
    return undressFolder(folder, folderAttributes);
}

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

platform::FolderOutcome SystemFolderIo::dressFolderKeeping(const std::string &folder,
                                                           const platform::FileComposer &compose,
                                                           std::uint32_t fileAttributes,
                                                           std::uint32_t folderAttributes)
{
    return platform::dressFolder(folder, kDesktopIni, compose, fileAttributes, folderAttributes);
}

platform::FolderOutcome SystemFolderIo::undressFolderKeeping(const std::string &folder,
                                                             const platform::FileComposer &remains,
                                                             std::uint32_t folderAttributes)
{
    return platform::undressFolder(folder, kDesktopIni, remains, folderAttributes);
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
