#include "promptanswers.h"

#include "remotewindows.h"

#include <dlgs.h>

namespace remote
{

namespace
{

constexpr wchar_t kDialogClass[] = L"#32770";
// The static that holds a message box's text: 0xFFFF on Windows, 100 in older Wine templates.
constexpr int kMessageTexts[] = {0xFFFF, 100};
// The colour chooser's red, green and blue fields (the system's colour dialog template).
constexpr int kColourRed = 706;
constexpr int kColourGreen = 707;
constexpr int kColourBlue = 708;

// The file chooser's name field: an edit or an editable combo box, by template.
HWND fileNameField(HWND chooser)
{
    for (const int id : {cmb13, edt1}) {
        HWND field = control(chooser, id);
        if (field == nullptr)
            continue;
        if (className(field) == L"ComboBox") {
            if (HWND edit = FindWindowExW(field, nullptr, L"Edit", nullptr))
                return edit;
        }
        return field;
    }
    return nullptr;
}

} // namespace

PromptKind promptKind(HWND dialog)
{
    if (className(dialog) != kDialogClass)
        return PromptKind::Other;
    if (control(dialog, kColourRed) != nullptr)
        return PromptKind::ColourChooser;
    if (fileNameField(dialog) != nullptr)
        return PromptKind::FileChooser;
    for (const int id : kMessageTexts) {
        if (GetDlgItem(dialog, id) != nullptr)
            return PromptKind::Message;
    }
    return PromptKind::Other;
}

HWND waitPrompt(DWORD pid, PromptKind kind, int milliseconds)
{
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topLevelWindows(pid)) {
                if (promptKind(window) == kind) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return found;
}

MessageSeen readMessage(HWND box)
{
    MessageSeen seen;
    seen.window = box;
    seen.title = text(box);
    for (const int id : kMessageTexts) {
        if (HWND label = GetDlgItem(box, id)) {
            seen.text = text(label);
            break;
        }
    }
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) == L"Button" && IsWindowVisible(child))
            seen.buttons.push_back(text(child));
    }
    return seen;
}

void answerMessage(HWND box, int id)
{
    if (HWND button = GetDlgItem(box, id))
        click(button);
    else
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool answerFileChooser(HWND chooser, const std::wstring &path)
{
    HWND field = fileNameField(chooser);
    if (field == nullptr || !setText(field, path))
        return false;
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 LPARAM(GetDlgItem(chooser, IDOK)));
    return true;
}

bool answerColourChooser(HWND chooser, COLORREF colour)
{
    const std::pair<int, int> fields[] = {
        {kColourRed, GetRValue(colour)},
        {kColourGreen, GetGValue(colour)},
        {kColourBlue, GetBValue(colour)},
    };
    for (const auto &[id, value] : fields) {
        HWND field = control(chooser, id);
        if (field == nullptr || !setText(field, std::to_wstring(value)))
            return false;
    }
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 LPARAM(GetDlgItem(chooser, IDOK)));
    return true;
}

void cancelPrompt(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 LPARAM(GetDlgItem(dialog, IDCANCEL)));
}

} // namespace remote
