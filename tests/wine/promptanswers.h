#pragma once

// Answers the platform's own dialogs that another process shows: message boxes, the file chooser
// and the colour chooser (all of class #32770), as a user would, through their controls.
#include <windows.h>

#include <string>
#include <vector>

namespace remote
{

// The kinds of dialog of class #32770 that a program may show.
enum class PromptKind { Message, FileChooser, ColourChooser, Other };

PromptKind promptKind(HWND dialog);
// The first visible dialog of `pid` of that kind, waited for.
HWND waitPrompt(DWORD pid, PromptKind kind, int milliseconds = 10000);

// What a message box shows: its title, its text and the captions of its buttons.
struct MessageSeen {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
};
MessageSeen readMessage(HWND box);
// Presses the message box's button `id` (IDOK, IDYES, IDNO ...).
void answerMessage(HWND box, int id);

// Types `path` into the file chooser's name field and presses its Open button.
bool answerFileChooser(HWND chooser, const std::wstring &path);
// Sets the colour chooser's red, green and blue fields and presses OK.
bool answerColourChooser(HWND chooser, COLORREF colour);
// Presses Cancel in any of them.
void cancelPrompt(HWND dialog);

} // namespace remote
