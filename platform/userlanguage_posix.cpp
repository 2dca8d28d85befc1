#include "userlanguage.h"

#include <cstdlib>
#include <string_view>

namespace platform
{
namespace
{

// The variable that decides the messages' language, in the order the C library reads them.
std::string_view messagesLocale()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return {};
}

} // namespace

bool russianMessages()
{
    // "ru", "ru_RU.UTF-8", "ru@..." but not another language such as Rusyn ("rue").
    const std::string_view locale = messagesLocale();
    return locale.starts_with("ru") &&
           (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}

} // namespace platform
