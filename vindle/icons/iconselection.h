#pragma once

#include "vindle/icons/iconresources.h"

namespace vindle::icons
{

// The image to show at `size` pixels: that size with the deepest colour, else the nearest size
// (a larger one on a tie); null when the group has none.
const IconImage *bestImage(const IconGroup &group, int size);

// False when the image's own header claims more than `maxSide` pixels a side, or is unreadable.
bool plausibleImage(const IconImage &image, int maxSide = 1024);

} // namespace vindle::icons
