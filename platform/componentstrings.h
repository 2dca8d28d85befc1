#pragma once

#include "platform/componenttypes.h"
#include "platform/unicode.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform
{

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
