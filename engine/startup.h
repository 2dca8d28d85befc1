#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace engine
{

// The program's version and the revision number shown in captions ("2.0." followed by it).
inline constexpr const char *kVersion = "2.0.35";
inline constexpr int kRevision = 35;

// How much of the command line a failure message repeats before it shortens it with "…".
inline constexpr std::size_t kQuotedLineLimit = 1000;

// The start-up failure message: "была ошибка", the command line (past kQuotedLineLimit characters
// shortened with "…"), the failure's description, with nothing in between; when the failure
// belongs to a folder, a second line names it.
std::string startupFailureMessage(std::string_view commandLine, std::string_view description,
                                  std::string_view failedFolder = {});

} // namespace engine
