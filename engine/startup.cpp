#include "startup.h"

namespace engine
{

std::string startupFailureMessage(std::string_view commandLine, std::string_view description)
{
    std::string message = "была ошибка";
    message.append(commandLine).append(description);
    return message;
}

} // namespace engine
