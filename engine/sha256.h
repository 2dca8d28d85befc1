#pragma once

#include <string>
#include <string_view>

namespace engine
{

// The SHA-256 digest of `bytes` (FIPS 180-4) as 64 lower-case hex digits: the content name of the
// files copied into folders.
std::string sha256Hex(std::string_view bytes);

} // namespace engine
