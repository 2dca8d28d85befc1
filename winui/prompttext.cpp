#include "winui/prompttext.h"

#include "platform/unicode.h"

#include <vector>

namespace winui
{

std::wstring wideText(std::string_view utf8)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 texts are UTF-16");
    const std::u16string text = platform::utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::wstring dialogFilter(std::string_view filter)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start < filter.size();) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::wstring result;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        // A pair with no pattern would end the list early: GetOpenFileName stops at an empty one.
        if (parts[i + 1].empty())
            continue;
        result += wideText(parts[i]);
        result += L'\0';
        result += wideText(parts[i + 1]);
        result += L'\0';
    }
    if (!result.empty())
        result += L'\0';
    return result;
}

std::wstring displayText(std::string_view text)
{
    const std::wstring shown = wideText(text);
    std::wstring result;
    result.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == L'\r') {
            result += L"\r\n";
            if (i + 1 < shown.size() && shown[i + 1] == L'\n')
                ++i;
        } else {
            result += shown[i];
        }
    }
    return result;
}

std::string programText(std::wstring_view shown)
{
    std::u16string text;
    text.reserve(shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        text += char16_t(shown[i]);
        if (shown[i] == L'\r' && i + 1 < shown.size() && shown[i + 1] == L'\n')
            ++i;
    }
    return platform::utf16ToUtf8(text);
}

} // namespace winui
