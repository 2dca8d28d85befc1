#include "processcommandline.h"

#include "win32text_win.h"

#include <windows.h>

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

} // namespace platform
