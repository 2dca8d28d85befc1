#include "winui/prompter.h"

#include "platform/win32text_win.h"
#include "winui/prompttext.h"

#include <commdlg.h>

#include <vector>

namespace winui
{
namespace
{

Prompter *inForce = nullptr;

// GetOpenFileNameW's buffer: long paths fit, and a multi-folder path is never cut.
constexpr std::size_t kFileBuffer = 32768;

UINT iconStyle(forms::MessageIcon icon)
{
    switch (icon) {
    case forms::MessageIcon::None:
        break;
    case forms::MessageIcon::Information:
        return MB_ICONINFORMATION;
    case forms::MessageIcon::Question:
        return MB_ICONQUESTION;
    case forms::MessageIcon::Warning:
        return MB_ICONWARNING;
    case forms::MessageIcon::Critical:
        return MB_ICONERROR;
    }
    return 0;
}

} // namespace

Prompter &Prompter::instance()
{
    static Prompter system;
    return inForce != nullptr ? *inForce : system;
}

void Prompter::setInstance(Prompter *prompter)
{
    inForce = prompter;
}

forms::Answer Prompter::message(HWND owner, forms::MessageIcon icon, const std::string &title,
                                const std::string &text, forms::MessageButtons buttons)
{
    const bool yesNo = buttons == forms::MessageButtons::YesNo;
    const UINT style = iconStyle(icon) | (yesNo ? MB_YESNO : MB_OK) | MB_SETFOREGROUND;
    const int pressed = MessageBoxW(owner, displayText(text).c_str(), displayText(title).c_str(),
                                    style | (owner == nullptr ? MB_TASKMODAL : 0));
    if (!yesNo)
        return forms::Answer::Ok;
    return pressed == IDYES ? forms::Answer::Yes : forms::Answer::No;
}

std::optional<std::string> Prompter::openFile(HWND owner, const std::string &filter,
                                              const std::string &initialFile)
{
    const std::wstring filters = dialogFilter(filter);
    std::vector<wchar_t> file(kFileBuffer, L'\0');
    const std::wstring initial = platform::win32::toWide(initialFile).value_or(std::wstring());
    if (initial.size() < file.size())
        initial.copy(file.data(), initial.size());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    // The read-only box is hidden, as the window's chooser always asked.
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog))
        return std::nullopt;
    return platform::win32::toUtf8(file.data());
}

std::optional<std::uint32_t> Prompter::chooseColour(HWND owner, std::uint32_t initial)
{
    // The sixteen custom colours live as long as the run, as the dialog keeps them.
    static COLORREF custom[16] = {};
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.rgbResult = COLORREF(initial & 0x00FFFFFF);
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&dialog))
        return std::nullopt;
    return std::uint32_t(dialog.rgbResult & 0x00FFFFFF);
}

} // namespace winui
