#pragma once

namespace platform
{

// True when the messages the program adds should be Russian. POSIX: LC_ALL, else LC_MESSAGES, else
// LANG (the first that is set) names the Russian language. Win32: the user's display language
// (GetUserDefaultUILanguage) is Russian. English otherwise.
bool russianMessages();

} // namespace platform
