#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{

// Puts the program's own lines into an existing "desktop.ini" and takes them out again, keeping
// every other key, comment and section where it stood. The program's keys are IconFile,
// IconIndex and InfoTip under [.ShellClassInfo] and Attributes, IconArea_Image and IconArea_Text
// under the background section; IconResource is rewritten when the icon is set, else kept.
class DesktopIniMerge
{
public:
    // `ours` (the writer's text) placed into the file whose lines are `old`: each section's keys of
    // ours go where the first of them stood; an IconResource line takes `iconResource` when one is
    // given. `ours` itself when `old` holds nothing else.
    static std::string dressed(const std::vector<std::string> &old, std::string_view ours,
                               const std::optional<std::string> &iconResource);

    // The file without the program's keys and its IconResource; nullopt when nothing but blank
    // lines and empty sections of ours would remain.
    static std::optional<std::string> undressed(const std::vector<std::string> &old);

    // True when `old` holds a key that undressing takes out.
    static bool holdsOwnKeys(const std::vector<std::string> &old);
};

} // namespace engine
