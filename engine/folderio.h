#pragma once

#include "platform/folderdressing.h"

#include <cstddef>
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
    // The folder's file `name` (at most `limit` bytes), never read through a link.
    virtual platform::Status readFolderFile(const std::string &folder, const std::string &name,
                                            std::size_t limit, std::string &bytes);
    // Puts a file beside desktop.ini as dressFolder puts desktop.ini; the folder keeps its
    // attributes.
    virtual platform::FolderOutcome writeFolderFile(const std::string &folder,
                                                    const std::string &name, std::string_view bytes,
                                                    std::uint32_t fileAttributes);
    // Deletes a regular file of the folder; a link or a folder in its place stays.
    virtual platform::Status removeFolderFile(const std::string &folder, const std::string &name);
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
