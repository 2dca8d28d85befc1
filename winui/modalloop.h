#pragma once

#include <windows.h>

namespace winui
{

// Shows `dialog` modally over `owner`: the owner takes no input until the dialog is hidden; then
// the owner is enabled and active again. Tab, Enter and Esc work as in any dialog.
void runModal(HWND dialog, HWND owner);

// Called by a modal dialog as it hides: enables its owner first, so that Windows hands the
// activation back to the owner rather than to another program.
void releaseModalOwner(HWND dialog);

} // namespace winui
