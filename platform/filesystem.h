#pragma once

#include "status.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// The separator that ends a folder path on this system ('/' here, '\\' on Windows).
char nativeSeparator();

// True when the path names an existing folder (links followed).
bool isDirectory(const std::string &path);

// True when the path itself is a symbolic link (or a reparse point on Windows).
bool isSymbolicLink(const std::string &path);

// Deletes a file as DeleteFile does: a file with the read-only attribute is refused, a link is
// removed itself, never its target. A missing file gives a failure status that callers may ignore.
Status deleteFile(const std::string &path);

// Puts `bytes` at `path` so that after any failure the path holds its old content or the new one,
// never a part: the bytes go to a new file in the same folder that is then renamed over `path`.
// Refuses a read-only file at `path` and a symbolic link at `path` (nothing is written then).
Status replaceFile(const std::string &path, std::string_view bytes);

// Tells the shell that a folder's customisation changed so file managers redraw its icon
// (SHChangeNotify on Windows; nothing to do elsewhere).
void notifyFolderChanged(const std::string &folder);

// Reads a whole regular file; a failure status when it cannot be opened or read, and EINVAL for
// anything else (a FIFO, a device), which is never waited on.
Status readFile(const std::string &path, std::string &bytes);
// The same for a file of at most `limit` bytes: a larger one gives EFBIG (ERROR_FILE_TOO_LARGE on
// Windows) and `bytes` empty, having read no more than the limit.
Status readFile(const std::string &path, std::string &bytes, std::size_t limit);
// The first `count` bytes of a regular file (all of a shorter one); EINVAL for a FIFO or a device,
// which is never waited on. `bytes` is empty after a failure.
Status readFileStart(const std::string &path, std::size_t count, std::string &bytes);

// The names of the regular files in `folder` (links followed), in the order the system lists
// them; folders, FIFOs, devices and broken links are left out. Empty when it cannot be read.
std::vector<std::string> regularFileNames(const std::string &folder);

// The absolute path of what `path` names, links and "." or ".." resolved; empty when it names
// nothing. Two paths of the same folder give the same text.
std::string canonicalPath(const std::string &path);

} // namespace platform
