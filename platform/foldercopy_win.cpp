#include "foldercopy.h"

#include "win32text_win.h"

#include <windows.h>

namespace platform
{
namespace
{

constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

// The file's wide path inside the folder, or the reason there is none.
Status entryPath(const std::string &folder, const std::string &name, std::wstring &path)
{
    if (name.empty() || name.find_first_of("\\/:") != std::string::npos || name == "." ||
        name == "..")
        return win32::statusFor(ERROR_INVALID_NAME);
    const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    const std::optional<std::wstring> wide =
        win32::toWidePath(folder + (separated ? "" : "\\") + name);
    if (!wide)
        return win32::invalidTextStatus();
    path = *wide;
    return Status::success();
}

// A link or a folder in the file's place, or in the folder's, is refused.
Status checkEntry(const std::string &folder, const std::wstring &path)
{
    const std::optional<std::wstring> folderPath = win32::toWidePath(folder);
    const DWORD folderAttributes =
        folderPath ? GetFileAttributesW(folderPath->c_str()) : INVALID_FILE_ATTRIBUTES;
    if (folderAttributes != INVALID_FILE_ATTRIBUTES &&
        (folderAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return win32::statusFor(ERROR_CANT_RESOLVE_FILENAME);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return lastError();
    if (attributes & kNotAFile)
        return win32::statusFor(attributes & FILE_ATTRIBUTE_REPARSE_POINT
                                    ? ERROR_CANT_RESOLVE_FILENAME
                                    : ERROR_DIRECTORY);
    return Status::success();
}

// The wide path of a file that may be read or deleted: a plain file of the folder.
Status plainEntry(const std::string &folder, const std::string &name, std::wstring &path)
{
    Status status = entryPath(folder, name, path);
    return status.ok() ? checkEntry(folder, path) : status;
}

} // namespace

Status readFolderFile(const std::string &folder, const std::string &name, std::size_t limit,
                      std::string &bytes)
{
    bytes.clear();
    std::wstring path;
    Status status = plainEntry(folder, name, path);
    if (!status.ok())
        return status;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        status = lastError();
    else if (std::uint64_t(size.QuadPart) > limit)
        status = win32::statusFor(ERROR_FILE_TOO_LARGE);
    char buffer[65536];
    DWORD got = 0;
    while (status.ok()) {
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr))
            status = lastError();
        else if (got == 0)
            break;
        else if (bytes.size() + got > limit)
            status = win32::statusFor(ERROR_FILE_TOO_LARGE);
        else
            bytes.append(buffer, got);
    }
    CloseHandle(file);
    if (!status.ok())
        bytes.clear();
    return status;
}

Status removeFolderFile(const std::string &folder, const std::string &name)
{
    std::wstring path;
    if (Status status = plainEntry(folder, name, path); !status.ok())
        return status;
    if (!DeleteFileW(path.c_str()))
        return lastError();
    return Status::success();
}

} // namespace platform
