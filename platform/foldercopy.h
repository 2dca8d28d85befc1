#pragma once

#include "status.h"

#include <cstddef>
#include <string>

namespace platform
{

// Reads the regular file `name` inside `folder` when it holds at most `limit` bytes, opening the
// folder and then the file without following a link in either place (ELOOP for a link, EISDIR for
// a folder, EFBIG for a larger file). `bytes` is empty after a failure.
Status readFolderFile(const std::string &folder, const std::string &name, std::size_t limit,
                      std::string &bytes);

// Deletes the regular file `name` inside `folder` through the folder's handle; a link or a folder
// in its place is left alone (ELOOP, EISDIR), as is a name with a separator (EINVAL).
Status removeFolderFile(const std::string &folder, const std::string &name);

} // namespace platform
