#pragma once

#include <string>
#include <string_view>

namespace engine
{

// The program's version and the revision number shown in captions ("2.0." followed by it).
inline constexpr const char *kVersion = "2.0.35";
inline constexpr int kRevision = 35;

// The start-up failure message: "была ошибка", the whole command line, the failure's description,
// with nothing in between.
std::string startupFailureMessage(std::string_view commandLine, std::string_view description);

} // namespace engine
