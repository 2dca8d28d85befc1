#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// Name of the extended attribute in which Samba and Wine keep DOS attributes.
inline constexpr const char *kDosAttribName = "user.DOSATTRIB";

// The text form that Samba and Wine read: "0x%x", no NUL, no newline, never the directory bit.
std::string encodeDosAttrib(std::uint32_t attributes);

// Reads the text form ("0x" optional) or Samba's binary version 5 form; nullopt for anything else.
std::optional<std::uint32_t> decodeDosAttrib(std::string_view raw);

} // namespace platform
