#include "attributes.h"

#include "win32text_win.h"

#include <windows.h>

namespace platform
{

std::uint32_t getFileAttributes(const std::string &path)
{
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (path.empty() || !wide)
        return kInvalidAttributes;
    return GetFileAttributesW(wide->c_str());
}

Status setFileAttributes(const std::string &path, std::uint32_t attributes)
{
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (!wide)
        return win32::invalidTextStatus();
    if (path.empty())
        return win32::statusFor(ERROR_PATH_NOT_FOUND);
    // The directory bit is not an attribute one sets; SetFileAttributes rejects it on some systems.
    if (!SetFileAttributesW(wide->c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_DIRECTORY)))
        return lastError();
    return Status::success();
}

} // namespace platform
