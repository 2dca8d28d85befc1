#pragma once

#include <string_view>

namespace engine
{

// What the remove command does when it opens the remove-choice dialog.
enum class RemoveChoice {
    Ask,      // show the dialog
    All,      // "delall" = "1": remove from every folder at once, dialog not shown
    Selected, // "delall" = "2": remove from the selected folder at once, dialog not shown
};

// The action a stored "delall" value asks for; any value but "1" and "2" asks.
RemoveChoice removeChoiceFor(std::string_view delall);

// The "delall" value to store after a button press with "Не показывать больше" ticked.
inline const char *delallFor(RemoveChoice choice)
{
    return choice == RemoveChoice::All ? "1" : "2";
}

} // namespace engine
