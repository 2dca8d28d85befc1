#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is given in twips (1/1440 inch): 15 twips to the pixel at 96 dots per inch,
// scaled by the screen's logical DPI.
namespace twips
{

// Pixels for a length in twips on a screen of `logicalDpi` (96 when unknown).
inline int toPixels(int twips, double logicalDpi = 96.0)
{
    return static_cast<int>(twips * logicalDpi / 1440.0 + 0.5);
}

// Twips for a length in pixels.
inline int fromPixels(int pixels, double logicalDpi = 96.0)
{
    return static_cast<int>(pixels * 1440.0 / logicalDpi + 0.5);
}

inline QRect rect(int left, int top, int width, int height, double logicalDpi = 96.0)
{
    return QRect(toPixels(left, logicalDpi), toPixels(top, logicalDpi), toPixels(width, logicalDpi),
                 toPixels(height, logicalDpi));
}

} // namespace twips
