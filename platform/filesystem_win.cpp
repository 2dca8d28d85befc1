#include "filesystem.h"

#include "win32text_win.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

namespace platform
{

namespace
{

constexpr int kTemporaryNameAttempts = 100;

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser()
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

// A name beside `path` that no other writer picks: the process id and a counter.
std::wstring temporaryNameFor(const std::wstring &path, unsigned attempt)
{
    static LONG counter = 0;
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
    const std::wstring base = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    return folder + L"." + base.substr(0, 200) + L"." + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(InterlockedIncrement(&counter)) + L"-" +
           std::to_wstring(attempt) + L"~";
}

HANDLE createTemporaryFile(const std::wstring &path, std::wstring &name)
{
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        name = temporaryNameFor(path, unsigned(attempt));
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

std::wstring withoutTrailingSeparators(std::wstring path)
{
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return path;
}

} // namespace

char nativeSeparator()
{
    return '\\';
}

bool isDirectory(const std::string &path)
{
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (path.empty() || !wide)
        return false;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    // A link reports its own attributes; opening it follows it to the target.
    HandleCloser target{CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    BY_HANDLE_FILE_INFORMATION info{};
    return target.handle != INVALID_HANDLE_VALUE &&
           GetFileInformationByHandle(target.handle, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isSymbolicLink(const std::string &path)
{
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (path.empty() || !wide)
        return false;
    const DWORD attributes = GetFileAttributesW(withoutTrailingSeparators(*wide).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

Status deleteFile(const std::string &path)
{
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (!wide)
        return win32::invalidTextStatus();
    if (path.empty())
        return win32::statusFor(ERROR_FILE_NOT_FOUND);
    // DeleteFileW itself refuses a read-only file and removes a link, not its target.
    if (!DeleteFileW(wide->c_str()))
        return lastError();
    return Status::success();
}

Status replaceFile(const std::string &path, std::string_view bytes)
{
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (!wide)
        return win32::invalidTextStatus();
    if (path.empty())
        return win32::statusFor(ERROR_FILE_NOT_FOUND);
    if (Status status = win32::checkReplaceable(*wide); !status.ok())
        return status;
    std::wstring temporary;
    const HANDLE file = createTemporaryFile(*wide, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    Status status = win32::writeAll(file, bytes);
    if (!CloseHandle(file) && status.ok())
        status = lastError();
    if (status.ok() && !MoveFileExW(temporary.c_str(), wide->c_str(), MOVEFILE_REPLACE_EXISTING))
        status = lastError();
    if (!status.ok())
        DeleteFileW(temporary.c_str());
    return status;
}

void notifyFolderChanged(const std::string &folder)
{
    const std::optional<std::wstring> wide = win32::toWidePath(folder);
    if (folder.empty() || !wide)
        return;
    const std::wstring path = withoutTrailingSeparators(*wide);
    // The item update redraws the folder's icon in its parent; the folder update its own view.
    SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHW, path.c_str(), nullptr);
    SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHW, path.c_str(), nullptr);
}

Status readFile(const std::string &path, std::string &bytes)
{
    return readFile(path, bytes, std::string::npos - 1);
}

Status readFile(const std::string &path, std::string &bytes, std::size_t limit)
{
    bytes.clear();
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (!wide)
        return win32::invalidTextStatus();
    HandleCloser file{CreateFileW(wide->c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return lastError();
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.handle, buffer, sizeof buffer, &got, nullptr)) {
            Status status = lastError();
            bytes.clear();
            return status;
        }
        if (got == 0)
            return Status::success();
        bytes.append(buffer, got);
        if (bytes.size() > limit) {
            bytes.clear();
            return win32::statusFor(ERROR_FILE_TOO_LARGE);
        }
    }
}

Status readFileStart(const std::string &path, std::size_t count, std::string &bytes)
{
    bytes.clear();
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (!wide)
        return win32::invalidTextStatus();
    HandleCloser file{CreateFileW(wide->c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE)
        return lastError();
    if (GetFileType(file.handle) != FILE_TYPE_DISK)
        return win32::statusFor(ERROR_INVALID_PARAMETER);
    std::string buffer(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        DWORD read = 0;
        const DWORD wanted = DWORD(std::min<std::size_t>(count - got, 1 << 20));
        if (!ReadFile(file.handle, buffer.data() + got, wanted, &read, nullptr))
            return lastError();
        if (read == 0)
            break;
        got += read;
    }
    bytes = buffer.substr(0, got);
    return Status::success();
}

std::vector<std::string> regularFileNames(const std::string &folder)
{
    std::vector<std::string> names;
    const std::optional<std::wstring> wide = win32::toWidePath(folder);
    if (folder.empty() || !wide)
        return names;
    std::wstring pattern = *wide;
    if (pattern.back() != L'\\' && pattern.back() != L'/')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
            names.push_back(win32::toUtf8(found.cFileName));
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return names;
}

std::string canonicalPath(const std::string &path)
{
    const std::optional<std::wstring> wide = win32::toWidePath(path);
    if (path.empty() || !wide)
        return {};
    // A folder opens only with backup semantics; the handle names it past every link.
    HandleCloser item{CreateFileW(wide->c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)};
    if (item.handle == INVALID_HANDLE_VALUE)
        return {};
    std::wstring resolved(32768, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(item.handle, resolved.data(), DWORD(resolved.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= resolved.size())
        return {};
    resolved.resize(length);
    if (resolved.starts_with(L"\\\\?\\UNC\\"))
        resolved = L"\\\\" + resolved.substr(8);
    else if (resolved.starts_with(L"\\\\?\\"))
        resolved = resolved.substr(4);
    return win32::toUtf8(resolved);
}

} // namespace platform
