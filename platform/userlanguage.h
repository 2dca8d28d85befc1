#pragma once

namespace platform
{

// True when the messages the program adds should be Russian: LC_ALL, else LC_MESSAGES, else LANG
// (the first that is set) names the Russian language. English otherwise.
bool russianMessages();

} // namespace platform
