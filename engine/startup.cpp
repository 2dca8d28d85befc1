#include "startup.h"

#include "messages.h"

namespace engine
{
namespace
{

bool continuesCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first `limit` characters of the line and "…"; a line within the limit stays whole.
std::string_view shortenedLine(std::string_view line, std::size_t limit, bool &cut)
{
    std::size_t pos = 0;
    for (std::size_t n = 0; n < limit && pos < line.size(); ++n) {
        ++pos;
        while (pos < line.size() && continuesCharacter(line[pos]))
            ++pos;
    }
    cut = pos < line.size();
    return line.substr(0, pos);
}

} // namespace

std::string startupFailureMessage(std::string_view commandLine, std::string_view description,
                                  std::string_view failedFolder)
{
    bool cut = false;
    std::string message = "была ошибка";
    message.append(shortenedLine(commandLine, kQuotedLineLimit, cut));
    if (cut)
        message.append("…");
    message.append(description);
    if (!failedFolder.empty())
        message.append("\n").append(Messages::failedFolder(failedFolder));
    return message;
}

} // namespace engine
