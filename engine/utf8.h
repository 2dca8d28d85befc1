#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace engine::utf8
{

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool isValid(std::string_view text);

// The text with every ill-formed byte replaced by U+FFFD.
std::string sanitized(std::string_view text);

// UTF-16LE bytes to UTF-8; an unpaired surrogate or a dangling odd byte becomes U+FFFD.
std::string fromUtf16Le(std::string_view bytes);

// UTF-8 to UTF-16LE bytes (no byte-order mark); nullopt when the text is not valid UTF-8.
std::optional<std::string> toUtf16Le(std::string_view text);

// What follows the first `count` characters of the text; empty when it is shorter.
std::string_view afterCharacters(std::string_view text, std::size_t count);

} // namespace engine::utf8
