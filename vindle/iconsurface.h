#pragma once

#include "vindle/iconextractor.h"

namespace vindle
{

// A picture surface that ShowIcon sizes, clears and draws on: a picture box with a device context
// and a persistent image that the caller reads back.
class IconSurface
{
public:
    virtual ~IconSurface() = default;

    // The screen's twips per pixel (15 at 96 dots per inch).
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // Outer size in twips, borders included.
    virtual void setOuterHeight(double twips) = 0;
    virtual void setOuterWidth(double twips) = 0;
    // Assigns an empty picture: the persistent image becomes blank.
    virtual void clearPicture() = 0;
    // Draws `icon` (image and mask, DrawIconEx flags 3) scaled into the given pixel rectangle.
    virtual void drawIcon(IconHandle icon, int x, int y, int width, int height) = 0;
};

} // namespace vindle
