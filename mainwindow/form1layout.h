#pragma once

#include "engine/customisationrequest.h"

struct Form1Ui;

// Geometry of the main window's controls in twips, converted with the screen's logical DPI.
namespace form1layout
{

// Client area of the window; its height follows the icon source.
inline constexpr int kClientWidth = 6975;
inline constexpr int kClientHeightFile = 3375;
inline constexpr int kClientHeightLibrary = 3735;

// Places every control at its start position (the file layout).
void placeControls(Form1Ui &ui, double logicalDpi);

// Applies the file or the library layout: the icon frame's height, the rows below it, the client
// height, the index box and the menu ticks.
void applyLayout(Form1Ui &ui, engine::IconSource source, double logicalDpi);

} // namespace form1layout
