#pragma once

#include "status.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace platform
{

// Writes all of `bytes` to `fd`, going on after an interrupted or short write.
Status writeAll(int fd, std::string_view bytes);

// Opens the file at `path` for reading when it is a regular file, following only the links that
// root or the running user own; -1 with errno otherwise (EISDIR for a folder, EINVAL for any
// other kind). It is opened without blocking, so a FIFO swapped in after a check never hangs.
int openRegularFile(const std::string &path);

// Reads the file at `path` when it is a regular file of at most `limit` bytes. It is opened
// without blocking, so a FIFO in its place never hangs the caller; a folder gives EISDIR, any
// other kind of file EINVAL, a larger file EFBIG. `bytes` is empty after a failure.
Status readRegularFile(const std::string &path, std::size_t limit, std::string &bytes);

// Appends what is left to read of `fd` to `bytes`; EFBIG once more than `limit` bytes are there.
Status readOpenFile(int fd, std::size_t limit, std::string &bytes);

} // namespace platform
