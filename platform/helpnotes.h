#pragma once

#include <string>

namespace platform
{

// The closing lines of "--help" that belong to the system: when windows show, the exit statuses,
// the messages' language and encoding, where settings live and what the environment changes.
std::string helpNotes(bool russian);

} // namespace platform
