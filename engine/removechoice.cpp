#include "removechoice.h"

namespace engine
{

RemoveChoice removeChoiceFor(std::string_view delall)
{
    if (delall == "1")
        return RemoveChoice::All;
    if (delall == "2")
        return RemoveChoice::Selected;
    return RemoveChoice::Ask;
}

} // namespace engine
