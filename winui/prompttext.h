#pragma once

#include <string>
#include <string_view>

// The program's UTF-8 texts in the forms the Win32 controls and common dialogs take (UTF-16).
namespace winui
{

// UTF-8 to UTF-16 as controls show it; a malformed byte shows as U+FFFD rather than emptying it.
std::wstring wideText(std::string_view text);

// A chooser filter "description|patterns|description|patterns|" as GetOpenFileNameW takes it:
// each part ended by a NUL and the whole by a second one. Empty for an empty filter (no filter);
// a description without its patterns is dropped.
std::wstring dialogFilter(std::string_view filter);

// A text whose lines are separated by a lone CR (or CR LF), with CR LF between lines: the form
// message boxes, edit controls and multi-line buttons break lines at. A lone LF stays as it is.
std::wstring displayText(std::string_view text);

// A control's text read back: its CR LF line breaks as the program's lone CR.
std::string programText(std::wstring_view shown);

} // namespace winui
