#include "userlanguage.h"

#include <windows.h>

namespace platform
{

bool russianMessages()
{
    // The language the user reads Windows in, whatever the locale's formats or code page.
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN;
}

} // namespace platform
