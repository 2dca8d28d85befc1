#pragma once

#include "platform/folderdressing.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace engine
{

// The file system calls that applying and removing make; tests put a recording double in its place.
class FolderIo
{
public:
    virtual ~FolderIo() = default;
    // Writes the folder's "desktop.ini" with its attributes and sets the folder's, in one go.
    virtual platform::FolderOutcome dressFolder(const std::string &folder, std::string_view bytes,
                                                std::uint32_t fileAttributes,
                                                std::uint32_t folderAttributes) = 0;
    // Deletes the folder's "desktop.ini" and sets the folder's attributes.
    virtual platform::FolderOutcome undressFolder(const std::string &folder,
                                                  std::uint32_t folderAttributes) = 0;
    virtual void notifyFolderChanged(const std::string &folder) = 0;

    // Writes what `compose` makes of the folder's present "desktop.ini", which is read through the
    // same opened folder; a double that reads nothing writes what it makes of no file.
    virtual platform::FolderOutcome dressFolderKeeping(const std::string &folder,
                                                       const platform::FileComposer &compose,
                                                       std::uint32_t fileAttributes,
                                                       std::uint32_t folderAttributes);
    // Keeps what `remains` leaves of the folder's "desktop.ini"; deletes it and sets the folder's
    // attributes only when nothing is left. A double that reads nothing undresses as above.
    virtual platform::FolderOutcome undressFolderKeeping(const std::string &folder,
                                                         const platform::FileComposer &remains,
                                                         std::uint32_t folderAttributes);
};

// The real file system through the platform layer.
class SystemFolderIo : public FolderIo
{
public:
    platform::FolderOutcome dressFolder(const std::string &folder, std::string_view bytes,
                                        std::uint32_t fileAttributes,
                                        std::uint32_t folderAttributes) override;
    platform::FolderOutcome undressFolder(const std::string &folder,
                                          std::uint32_t folderAttributes) override;
    void notifyFolderChanged(const std::string &folder) override;
    platform::FolderOutcome dressFolderKeeping(const std::string &folder,
                                               const platform::FileComposer &compose,
                                               std::uint32_t fileAttributes,
                                               std::uint32_t folderAttributes) override;
    platform::FolderOutcome undressFolderKeeping(const std::string &folder,
                                                 const platform::FileComposer &remains,
                                                 std::uint32_t folderAttributes) override;
};

} // namespace engine
