// Windows picks the messages' language by the user's display language, whatever the process's
// environment says (a POSIX-style LC_ALL set for some other program must not switch it).
#include "platform/userlanguage.h"

#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

TEST(UserLanguageWin, TheDisplayLanguageDecidesNotTheEnvironment)
{
    const bool russianDisplay = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN;
    for (const char *locale : {"ru_RU.UTF-8", "en_US.UTF-8", "C"}) {
        for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            _putenv_s(name, locale);
        EXPECT_EQ(platform::russianMessages(), russianDisplay) << locale;
    }
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        _putenv_s(name, "");
}
