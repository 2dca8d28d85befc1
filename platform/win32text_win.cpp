#include "win32text_win.h"

#include <windows.h>

namespace platform::win32
{

namespace
{

// Folders may hold 248 characters before CreateDirectory fails; the prefix is needed beyond that.
constexpr std::size_t kLongPathThreshold = 248;

std::wstring fullPath(const std::wstring &path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    full.resize(length);
    return full;
}

} // namespace

std::optional<std::wstring> toWide(std::string_view utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int size = int(utf8.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string toUtf8(std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int size = int(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::optional<std::wstring> toWidePath(std::string_view utf8Path)
{
    std::optional<std::wstring> wide = toWide(utf8Path);
    if (!wide || wide->size() < kLongPathThreshold || wide->rfind(L"\\\\?\\", 0) == 0)
        return wide;
    // The prefix turns off the parsing of "/", "." and "..": resolve them first.
    std::wstring full = fullPath(*wide);
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

Status statusFor(unsigned long code)
{
    // A call that failed without setting an error must still read as a failure.
    if (code == ERROR_SUCCESS)
        code = ERROR_GEN_FAILURE;
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : L"";
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"Error " + std::to_wstring(code);
    return Status::failure(int(code), toUtf8(text));
}

Status invalidTextStatus()
{
    return statusFor(ERROR_NO_UNICODE_TRANSLATION);
}

Status writeAll(void *file, std::string_view bytes)
{
    constexpr DWORD kWriteChunk = 1u << 30; // WriteFile takes a 32-bit length
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() < kWriteChunk ? DWORD(bytes.size()) : kWriteChunk;
        DWORD written = 0;
        if (!WriteFile(static_cast<HANDLE>(file), bytes.data(), chunk, &written, nullptr))
            return statusFor(GetLastError());
        bytes.remove_prefix(written);
    }
    return Status::success();
}

Status checkReplaceable(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? Status::success() : statusFor(error);
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return statusFor(ERROR_CANT_RESOLVE_FILENAME);
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        return statusFor(ERROR_ACCESS_DENIED);
    return Status::success();
}

} // namespace platform::win32
