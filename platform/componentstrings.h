#pragma once

#include "platform/componenttypes.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string utf8ToUtf16(std::string_view utf8);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// The text of a BSTR (a null BSTR is the empty string); the caller still owns `text`.
std::u16string bstrText(BSTR text);
// A new BSTR holding `text`; the receiver frees it with SysFreeString.
BSTR allocBstr(std::u16string_view text);
inline BSTR allocBstr(std::string_view utf8)
{
    return allocBstr(utf8ToUtf16(utf8));
}

// "{8214DF6F-3AD9-48FC-B62D-474DC46911FB}" (upper-case hex, with braces).
std::string guidToString(REFGUID guid);
// Reads the braced form (either case); nullopt when malformed.
std::optional<GUID> parseGuid(std::string_view text);

} // namespace platform
