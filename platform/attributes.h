#pragma once

#include "status.h"

#include <cstdint>
#include <string>

namespace platform
{

// The shell's file attribute bits, as GetFileAttributes reports them.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kAttrCompressed = 0x800;
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// Attributes of a file or folder; kInvalidAttributes when the path names nothing readable.
std::uint32_t getFileAttributes(const std::string &path);

// Replaces the attributes of a file or folder with exactly `attributes` (kAttrNormal clears all).
Status setFileAttributes(const std::string &path, std::uint32_t attributes);

} // namespace platform
