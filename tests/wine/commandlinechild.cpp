// Writes what processCommandLine() gives to standard output, byte for byte.
#include "platform/processcommandline.h"

#include <windows.h>

int main(int argc, char **argv)
{
    const std::string line = platform::processCommandLine(argc, argv);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), DWORD(line.size()), &written, nullptr);
    return written == line.size() ? 0 : 1;
}
