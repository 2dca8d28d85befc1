#pragma once

#include "status.h"

#include <optional>
#include <string>
#include <string_view>

// Helpers that the Win32 implementations of the platform operations share (Windows builds only).
namespace platform::win32
{

// UTF-8 to UTF-16; nullopt when the text is not valid UTF-8.
std::optional<std::wstring> toWide(std::string_view utf8);

// UTF-16 to UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string toUtf8(std::wstring_view wide);

// A UTF-8 path as the wide Win32 calls take it; a path too long for MAX_PATH is made absolute and
// given the "\\?\" prefix that lifts the limit. nullopt when the path is not valid UTF-8.
std::optional<std::wstring> toWidePath(std::string_view utf8Path);

// The Win32 error number with the system's text for it (FormatMessageW), without the line break.
Status statusFor(unsigned long code);

// The failure that a path which is not valid UTF-8 gives (ERROR_NO_UNICODE_TRANSLATION).
Status invalidTextStatus();

// Writes all of `bytes` to an open file handle (a HANDLE), in pieces WriteFile's length can hold.
Status writeAll(void *file, std::string_view bytes);

// Refuses what a rename over `path` would do to the wrong thing: a read-only file (MoveFileEx
// replaces it on some file systems), a reparse point (the link, not its target, would go), a
// folder. Success when nothing is there.
Status checkReplaceable(const std::wstring &path);

} // namespace platform::win32
