#pragma once

#include "forms/formprompts.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace winui
{

// Every message box and chooser of the Win32 windows goes through here, so a test can answer them
// instead of a user. The default shows the system's own (MessageBoxW, GetOpenFileNameW,
// ChooseColorW). Texts are UTF-8; a line break inside a message is a lone CR.
class Prompter
{
public:
    virtual ~Prompter() = default;

    virtual forms::Answer message(HWND owner, forms::MessageIcon icon, const std::string &title,
                                  const std::string &text, forms::MessageButtons buttons);
    // `filter` in the "description|patterns|" form; nullopt on cancel.
    virtual std::optional<std::string> openFile(HWND owner, const std::string &filter,
                                                const std::string &initialFile);
    // nullopt on cancel; `initial` and the result are 0x00BBGGRR.
    virtual std::optional<std::uint32_t> chooseColour(HWND owner, std::uint32_t initial);

    // The prompter in force: the one set last, else the system's dialogs.
    static Prompter &instance();
    // Puts `prompter` in force (nullptr: the system's dialogs again); the caller keeps it alive.
    static void setInstance(Prompter *prompter);
};

} // namespace winui
