#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace forms
{

// The icon a message box shows beside its text.
enum class MessageIcon { None, Information, Question, Warning, Critical };
// The buttons a message box offers.
enum class MessageButtons { Ok, YesNo };
// The button the user pressed; the first one offered when nobody can answer.
enum class Answer { Ok, Yes, No };

// The dialogs a form asks its front-end for: message boxes and the file and colour choosers. Texts
// are UTF-8; a line break inside a message is a lone CR.
class FormPrompts
{
public:
    virtual ~FormPrompts() = default;

    // A message box over the form's window; returns the button pressed.
    virtual Answer message(MessageIcon icon, const std::string &title, const std::string &text,
                           MessageButtons buttons) = 0;
    // The open-file chooser; `filter` in the "description|patterns|" form; nullopt on cancel.
    virtual std::optional<std::string> openFile(const std::string &filter,
                                                const std::string &initialFile) = 0;
    // The colour chooser starting at `initial` (0x00BBGGRR); nullopt on cancel.
    virtual std::optional<std::uint32_t> chooseColour(std::uint32_t initial) = 0;
};

} // namespace forms
