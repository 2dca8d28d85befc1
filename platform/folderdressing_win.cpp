#include "folderdressing.h"

#include "attributes.h"
#include "dosattrib.h"
#include "filesystem.h"
#include "temporaryname.h"
#include "win32text_win.h"

#include <windows.h>

namespace platform
{

namespace
{

constexpr int kTemporaryNameAttempts = 100;

struct FindCloser {
    HANDLE handle;
    ~FindCloser()
    {
        if (handle != INVALID_HANDLE_VALUE)
            FindClose(handle);
    }
};

// The folder's path without trailing separators; a link or a file in its place is refused.
Status checkFolder(const std::string &folder, std::wstring &path)
{
    const std::optional<std::wstring> wide = win32::toWidePath(folder);
    if (!wide)
        return win32::invalidTextStatus();
    path = *wide;
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    const DWORD attributes =
        folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return folder.empty() ? win32::statusFor(ERROR_PATH_NOT_FOUND) : lastError();
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return win32::statusFor(ERROR_CANT_RESOLVE_FILENAME);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return win32::statusFor(ERROR_DIRECTORY);
    return Status::success();
}

std::wstring entryPath(const std::wstring &folder, const std::wstring &name)
{
    const bool separated = !folder.empty() && (folder.back() == L'\\' || folder.back() == L'/');
    return folder + (separated ? L"" : L"\\") + name;
}

void noteAttributes(FolderOutcome &outcome, Status status, const std::wstring &path)
{
    if (status.ok() || !outcome.attributes.ok())
        return;
    outcome.attributes = std::move(status);
    outcome.attributesPath = win32::toUtf8(path);
}

// Sets the folder's managed bits as `attributes` has them and keeps its other bits.
Status setAttributes(const std::wstring &path, std::uint32_t attributes)
{
    const DWORD current = GetFileAttributesW(path.c_str());
    if (current == INVALID_FILE_ATTRIBUTES)
        return lastError();
    // The directory bit is not an attribute one sets; SetFileAttributes rejects it on some systems.
    const DWORD merged = mergeAttributes(current, attributes, kFolderManagedAttributes) &
                         ~DWORD(FILE_ATTRIBUTE_DIRECTORY);
    if (!SetFileAttributesW(path.c_str(), merged == 0 ? FILE_ATTRIBUTE_NORMAL : merged))
        return lastError();
    return Status::success();
}

// The new file's attributes: the managed bits as `attributes` has them, the rest the old file's.
DWORD newFileAttributes(const std::wstring &target, std::uint32_t attributes)
{
    DWORD current = GetFileAttributesW(target.c_str());
    if (current == INVALID_FILE_ATTRIBUTES)
        current = 0;
    return mergeAttributes(current &
                               ~DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
                           attributes, kFileManagedAttributes);
}

// The folder's file as it is now; nothing when there is none or something else holds the name.
Status readOld(const std::wstring &target, std::optional<std::string> &old)
{
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return Status::success();
    std::string bytes;
    if (Status status = readFile(win32::toUtf8(target), bytes); !status.ok())
        return status;
    if (bytes.size() > kKeptFileLimit)
        return win32::statusFor(ERROR_FILE_TOO_LARGE);
    old = std::move(bytes);
    return Status::success();
}

// Deletes the folder's files named as our temporaries of `name`; links and folders stay.
void removeStaleTemporaries(const std::wstring &folder, const std::string &name,
                            FolderOutcome &outcome)
{
    const std::wstring pattern = entryPath(folder, L"." + *win32::toWide(name) + L".*~");
    WIN32_FIND_DATAW found{};
    FindCloser search{FindFirstFileW(pattern.c_str(), &found)};
    for (bool more = search.handle != INVALID_HANDLE_VALUE; more;
         more = FindNextFileW(search.handle, &found)) {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if ((found.dwFileAttributes & skipped) ||
            !isTemporaryName(win32::toUtf8(found.cFileName), name))
            continue;
        const std::wstring path = entryPath(folder, found.cFileName);
        if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
            outcome.leftover.ok()) {
            outcome.leftover = lastError();
            outcome.leftoverPath = win32::toUtf8(path);
        }
    }
}

// A new hidden-named file that already carries the attributes the final file gets.
HANDLE createTemporary(const std::wstring &folder, const std::string &name, DWORD attributes,
                       std::wstring &path)
{
    if (attributes == 0 || attributes == FILE_ATTRIBUTE_NORMAL)
        attributes = FILE_ATTRIBUTE_NORMAL;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        path = entryPath(folder, *win32::toWide(temporaryNameFor(name)));
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes the new file with its attributes, then moves it over the old one.
Status writeFile(const std::wstring &folder, const std::string &name, std::string_view bytes,
                 std::uint32_t attributes, FolderOutcome &outcome)
{
    const std::wstring target = entryPath(folder, *win32::toWide(name));
    if (Status status = win32::checkReplaceable(target); !status.ok())
        return status;
    std::wstring temporary;
    const HANDLE file =
        createTemporary(folder, name, newFileAttributes(target, attributes), temporary);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    Status status = win32::writeAll(file, bytes);
    if (!CloseHandle(file) && status.ok())
        status = lastError();
    if (status.ok() && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        status = lastError();
    if (!status.ok() && !DeleteFileW(temporary.c_str())) {
        outcome.leftover = lastError();
        outcome.leftoverPath = win32::toUtf8(temporary);
    }
    return status;
}

// Checks the folder and removes its stale temporaries; false, with the reason in `outcome`, when
// it is not a folder to work in.
bool prepared(const std::string &folder, const std::string &name, std::wstring &path,
              FolderOutcome &outcome)
{
    outcome.file = checkFolder(folder, path);
    if (!outcome.file.ok())
        return false;
    removeStaleTemporaries(path, name, outcome);
    return true;
}

} // namespace

FolderOutcome dressFolder(const std::string &folder, const std::string &name,
                          std::string_view bytes, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    std::wstring path;
    if (!prepared(folder, name, path, outcome))
        return outcome;
    outcome.file = writeFile(path, name, bytes, fileAttributes, outcome);
    if (outcome.file.ok())
        noteAttributes(outcome, setAttributes(path, folderAttributes), path);
    return outcome;
}

FolderOutcome undressFolder(const std::string &folder, const std::string &name,
                            std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    std::wstring path;
    if (!prepared(folder, name, path, outcome))
        return outcome;
    // DeleteFileW itself refuses a read-only file and removes a link, not its target.
    if (!DeleteFileW(entryPath(path, *win32::toWide(name)).c_str()))
        outcome.file = lastError();
    noteAttributes(outcome, setAttributes(path, folderAttributes), path);
    return outcome;
}

FolderOutcome dressFolder(const std::string &folder, const std::string &name,
                          const FileComposer &compose, std::uint32_t fileAttributes,
                          std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    std::wstring path;
    if (!prepared(folder, name, path, outcome))
        return outcome;
    std::optional<std::string> old;
    if (outcome.file = readOld(entryPath(path, *win32::toWide(name)), old); !outcome.file.ok())
        return outcome;
    const std::string bytes = compose(old).value_or(std::string());
    outcome.file = writeFile(path, name, bytes, fileAttributes, outcome);
    if (outcome.file.ok())
        noteAttributes(outcome, setAttributes(path, folderAttributes), path);
    return outcome;
}

FolderOutcome undressFolder(const std::string &folder, const std::string &name,
                            const FileComposer &remains, std::uint32_t folderAttributes)
{
    FolderOutcome outcome;
    std::wstring path;
    if (!prepared(folder, name, path, outcome))
        return outcome;
    const std::wstring target = entryPath(path, *win32::toWide(name));
    std::optional<std::string> old;
    if (outcome.file = readOld(target, old); !outcome.file.ok())
        return outcome; // what cannot be read cannot be kept: the file and the folder stay
    const std::optional<std::string> kept = old ? remains(old) : std::nullopt;
    if (!kept) {
        // DeleteFileW itself refuses a read-only file and removes a link, not its target.
        if (!DeleteFileW(target.c_str()))
            outcome.file = lastError();
        noteAttributes(outcome, setAttributes(path, folderAttributes), path);
    } else if (*kept != *old) {
        const DWORD current = GetFileAttributesW(target.c_str());
        outcome.file = writeFile(path, name, *kept, current & kFileManagedAttributes, outcome);
    }
    return outcome;
}

} // namespace platform
