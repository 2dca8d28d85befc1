#pragma once

#include "engine/customisationrequest.h"

#include <span>
#include <string_view>

// The main window's geometry in twips (1440 to the inch), the same for every front-end; each
// converts it with its monitor's DPI.
namespace form1geometry
{

// One control's place: Left, Top, Width, Height in twips, from its container's corner (a frame's
// controls from the frame's, the rest from the client area's).
struct Place {
    std::string_view name; // the control's name
    int left, top, width, height;
};

// Client area of the window; its height follows the icon source.
inline constexpr int kClientWidth = 6975;
inline constexpr int kClientHeightFile = 3375;
inline constexpr int kClientHeightLibrary = 3735;

// Every control at its start position: the file layout.
std::span<const Place> startPlaces();

// The controls that the file or library layout moves or resizes, at their places in `source`'s
// layout. The library layout also shows the icon frame's second row (Label1_0, Text3, Command6).
std::span<const Place> layoutPlaces(engine::IconSource source);

inline int clientHeight(engine::IconSource source)
{
    return source == engine::IconSource::Library ? kClientHeightLibrary : kClientHeightFile;
}

} // namespace form1geometry
