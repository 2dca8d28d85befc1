#pragma once

#include "engine/customisationrequest.h"

struct Form1Ui;

// The main window's geometry (forms/form1geometry.h, in twips) on the controls, converted with the
// screen's logical DPI.
namespace form1layout
{

// Places every control at its start position (the file layout).
void placeControls(Form1Ui &ui, double logicalDpi);

// Applies the file or the library layout: the icon frame's height, the rows below it, the client
// height, the index box and the menu ticks.
void applyLayout(Form1Ui &ui, engine::IconSource source, double logicalDpi);

} // namespace form1layout
