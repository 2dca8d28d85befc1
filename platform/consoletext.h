#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform
{

// How much of `text` is whole UTF-8 characters: a character cut at the end waits for its rest.
std::size_t wholeUtf8Prefix(std::string_view text);

// Text as a Windows text file carries it: every line break a CR LF ("\r\n" stays one break).
std::string withCrLf(std::string_view text);

} // namespace platform
