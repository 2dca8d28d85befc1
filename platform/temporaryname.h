#pragma once

#include <string>
#include <string_view>

namespace platform
{

// The hidden name a new file takes beside `name` until it is renamed over it:
// "." + name (at most 200 bytes) + "." + 12 lower-case hex digits + "~".
std::string temporaryNameFor(std::string_view name);

// The one hidden name of that form a run holding the folder's lock uses: all digits "0", which
// temporaryNameFor never gives.
std::string lockedTemporaryNameFor(std::string_view name);

// True when `entry` has the form temporaryNameFor gives the file `name`.
bool isTemporaryName(std::string_view entry, std::string_view name);

} // namespace platform
