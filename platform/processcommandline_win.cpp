#include "processcommandline.h"

#include "unicode.h"
#include "win32text_win.h"

#include <windows.h>

#include <cstdlib>

namespace platform
{

namespace
{

bool isBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// The text after the program's path, cut as the C runtime cuts argv[0]: quotes switch quoting on
// and off, a blank outside quotes ends the path; the blanks after it go too.
std::wstring_view withoutProgramPath(std::wstring_view line)
{
    std::size_t i = 0;
    bool quoted = false;
    for (; i < line.size() && (quoted || !isBlank(line[i])); ++i) {
        if (line[i] == L'"')
            quoted = !quoted;
    }
    while (i < line.size() && isBlank(line[i]))
        ++i;
    return line.substr(i);
}

} // namespace

std::string processCommandLine(int, char **)
{
    // argv went through the ANSI code page; the wide command line keeps every character.
    const wchar_t *line = GetCommandLineW();
    return line == nullptr ? std::string() : win32::toUtf8(withoutProgramPath(line));
}

std::optional<std::string> argumentTextToUtf8(std::string_view bytes)
{
    // The wide command line became UTF-8 above; only what was not text fails here.
    for (std::size_t pos = 0; pos < bytes.size();) {
        if (decodeUtf8(bytes, pos) == kNoCharacter)
            return std::nullopt;
    }
    return std::string(bytes);
}

std::string utf8ToOutputText(std::string_view text)
{
    // The Win32 side writes UTF-8 as it is.
    return std::string(text);
}

bool standardErrorIsTerminal()
{
    // The C runtime's stderr of a GUI program is no console even after it attached to one.
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool displayAvailable()
{
    // A script that must never wait on a window or a message box says so.
    const wchar_t *none = _wgetenv(L"RAVO2_NO_WINDOWS");
    if (none != nullptr && *none != L'\0')
        return false;
    // A service or a task run without the user's session has a window station nobody sees.
    USEROBJECTFLAGS flags{};
    const HWINSTA station = GetProcessWindowStation();
    if (station != nullptr &&
        GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags), nullptr))
        return (flags.dwFlags & WSF_VISIBLE) != 0;
    return true;
}

} // namespace platform
