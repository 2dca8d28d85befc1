#pragma once

#include "clientpaths.h"
#include "foldersource.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace engine
{

// A JSON string (quotes included) for arbitrary bytes: well-formed UTF-8 stays as it is, '"', '\'
// and control characters are escaped, and each byte that is not part of well-formed UTF-8 becomes
// "\udcXX" (U+DC80 + the byte, the lone-surrogate form that Python's "surrogateescape" reads
// back into the same byte).
std::string jsonString(std::string_view bytes);

// One folder's dressing as read back, one JSON object on one line (no line break); `isFolder`
// false when the path names no folder (the object then carries "error").
std::string dressingJson(const std::string &folder, const ClientPaths &paths, unsigned codePage,
                         bool &isFolder);

// The object of an entry that names no folder to read, with its reason.
std::string entryErrorJson(const std::string &folder, std::string_view reason);

// Prints one line for each folder of `source`; the number of entries that named no folder.
std::size_t listDressings(FolderSource &source, std::ostream &out);

} // namespace engine
