#pragma once

#include "platform/componenttypes.h"

#include <cstdint>
#include <string>

// Reading automation arguments: strings, 32-bit, 16-bit and byte values, by value or by reference
// (also a reference to a VARIANT, as script clients pass variables), converted as automation does.
namespace vindle::dispatch
{

// The argument for parameter `position` (0 = first); arguments arrive in reverse order.
const VARIANT *argument(const DISPPARAMS &params, UINT position);

HRESULT toText(const VARIANT &value, std::u16string &text);
HRESULT toLong(const VARIANT &value, std::int32_t &number);
HRESULT toByte(const VARIANT &value, std::uint8_t &number);

// Case-insensitive comparison of a name given by a client with one of ours (ASCII letters).
bool sameName(const OLECHAR *given, const char *ours);

} // namespace vindle::dispatch
