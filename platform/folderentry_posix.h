#pragma once

#include "openfolder_posix.h"
#include "status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// The attributes a new file gets: `wanted` for the bits dressing manages, the rest kept from
// `basis`, the stored value of the file it replaces (empty when there is none).
struct FileAttributeChange {
    std::uint32_t wanted = 0;
    std::string basis;
};

// A regular file of a folder, as read through the folder's descriptor.
struct EntryContent {
    std::string bytes;
    std::string dosAttrib; // its stored attributes, raw; empty when there are none
};

// Reads the regular file `name` of `folder` without following a link and without blocking;
// `content` stays empty when there is no such file or something else holds the name. A link
// gives ELOOP, a file larger than `limit` EFBIG.
Status readEntry(const OpenFolder &folder, const std::string &name, std::size_t limit,
                 std::optional<EntryContent> &content);

// The raw stored attributes of an open file or folder; empty when there are none.
std::string storedDosAttrib(int fd);

// Sets the bits `managed` of an open file or folder as `wanted` has them and keeps every other
// bit of `basis` (and, in Samba's record, its other fields).
Status changeAttributes(int fd, std::string_view basis, std::uint32_t wanted,
                        std::uint32_t managed);

} // namespace platform
