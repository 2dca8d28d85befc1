#pragma once

#include "platform/status.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace engine
{

// The file system calls that applying and removing make; tests put a failing double in its place.
class FolderIo
{
public:
    virtual ~FolderIo() = default;
    virtual platform::Status deleteFile(const std::string &path) = 0;
    virtual platform::Status replaceFile(const std::string &path, std::string_view bytes) = 0;
    virtual platform::Status setAttributes(const std::string &path, std::uint32_t attributes) = 0;
    virtual void notifyFolderChanged(const std::string &folder) = 0;
};

// The real file system through the platform layer.
class SystemFolderIo : public FolderIo
{
public:
    platform::Status deleteFile(const std::string &path) override;
    platform::Status replaceFile(const std::string &path, std::string_view bytes) override;
    platform::Status setAttributes(const std::string &path, std::uint32_t attributes) override;
    void notifyFolderChanged(const std::string &folder) override;
};

} // namespace engine
