#pragma once

// Plays the user at another process's windows through their own messages: finds windows by title,
// class and control identifier, reads and sets texts, presses buttons, picks list entries, and
// waits with a time limit. Calls that may open a modal window are posted, never sent, so the
// driver is never blocked by the window it must answer next.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace remote
{

std::wstring widen(const std::string &utf8);
std::string narrow(const std::wstring &text);

// Polls `ready` every 50 ms until it holds or `milliseconds` have passed.
bool waitUntil(const std::function<bool()> &ready, int milliseconds = 10000);

std::wstring className(HWND window);
std::wstring text(HWND window); // WM_GETTEXT, also for another process's controls
bool setText(HWND window, const std::wstring &text);

// The visible top-level windows of process `pid`, top of the Z order first.
std::vector<HWND> topLevelWindows(DWORD pid);
// The first visible top-level window of `pid` whose class and title match (empty: any).
HWND findWindow(DWORD pid, const std::wstring &windowClass, const std::wstring &title);
HWND waitWindow(DWORD pid, const std::wstring &windowClass, const std::wstring &title,
                int milliseconds = 10000);
// Waits until `window` is hidden or gone.
bool waitHidden(HWND window, int milliseconds = 10000);

// The descendant of `parent` with identifier `id` (controls may sit inside frames).
HWND control(HWND parent, int id);
// The descendant of `parent` of class `windowClass` whose text is `caption`.
HWND controlByText(HWND parent, const std::wstring &windowClass, const std::wstring &caption);
bool isVisible(HWND control);

// Presses a button as a click does (BM_CLICK, posted).
void click(HWND button);
// Chooses a menu item or an accelerator command of `window` (WM_COMMAND, posted).
void command(HWND window, int id);
bool isChecked(HWND button); // BM_GETCHECK
// The window's rectangle in screen pixels.
RECT screenRect(HWND window);

// An editable combo box: the entries of its list, and picking one as the user does (the
// selection, then the notifications a pick sends its parent).
std::vector<std::wstring> comboEntries(HWND combo);
void pickComboEntry(HWND combo, int index);
void addComboEntry(HWND combo, const std::wstring &entry); // CB_ADDSTRING
// A list box: its entries, the selected position, and selecting one as the user does.
std::vector<std::wstring> listEntries(HWND list);
int listSelection(HWND list);
void pickListEntry(HWND list, int index);
// A list view's item texts (first column), read through a buffer in the owner's memory.
std::vector<std::wstring> listViewTexts(HWND listView);

} // namespace remote
