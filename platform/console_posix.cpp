#include "console.h"

namespace platform
{

// The terminal or the redirection is the process's own: the streams stay as they are.
struct ConsoleSession::State {
};

ConsoleSession::ConsoleSession() = default;

ConsoleSession::~ConsoleSession() = default;

} // namespace platform
