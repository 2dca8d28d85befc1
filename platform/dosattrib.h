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

// The bits of `managed` as `wanted` has them, every other bit as `current` has it.
std::uint32_t mergeAttributes(std::uint32_t current, std::uint32_t wanted, std::uint32_t managed);

// What to store for `attributes` where `stored` is stored now: Samba's version 5 record with only
// its attributes changed (its creation time kept), else the text form; empty when there is no
// record and no attribute left to keep (the extended attribute is then removed).
std::string dosAttribFor(std::string_view stored, std::uint32_t attributes);

} // namespace platform
