#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace engine
{

// True when the bytes are a program or library module (they start with "MZ").
bool isModule(std::string_view bytes);

// A standalone .ico holding every image of one icon of a module's bytes, as the icon reader of
// the component finds them: `index` counts the icons from zero; a negative index names an icon
// by its resource id, as the shell reads IconIndex. nullopt when the module has no such icon.
std::optional<std::string> extractedIcon(std::string_view moduleBytes, long long index);

} // namespace engine
