#include "processcommandline.h"

namespace platform
{

std::string processCommandLine(int argc, char **argv)
{
    std::string line;
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        if (i > 1)
            line += ' ';
        line += argv[i];
    }
    return line;
}

} // namespace platform
