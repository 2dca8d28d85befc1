#include "status.h"

#include <cerrno>
#include <cstring>

namespace platform
{

Status lastError()
{
    const int code = errno;
    return Status::failure(code, std::strerror(code));
}

} // namespace platform
