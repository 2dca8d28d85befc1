#pragma once

#include <QString>

class QPaintDevice;

// The standard icon size in pixels, used when the caller asks for the icon's own size.
inline constexpr int kStandardIconSize = 32;

// Paints the icon associated with `path` onto `surface` with its top-left corner at (x, y).
// Width 0 draws the icon's own size; a width with height 0 sets height to the width first.
// An empty path, or a path without an icon, leaves the surface untouched.
void drawfileicon(QPaintDevice *surface, int x, int y, const QString &path, int &width,
                  int &height);
