#include "folderio.h"

#include "folderpaths.h"
#include "platform/filesystem.h"

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

void SystemFolderIo::notifyFolderChanged(const std::string &folder)
{
    platform::notifyFolderChanged(folder);
}

} // namespace engine
