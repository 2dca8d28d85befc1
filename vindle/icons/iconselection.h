#pragma once

#include "vindle/icons/iconresources.h"

namespace vindle::icons
{

// The image to show at `size` pixels: that size with the deepest colour, else the nearest size
// (a larger one on a tie); null when the group has none.
const IconImage *bestImage(const IconGroup &group, int size);

// False when the image's own header claims more than `maxSide` pixels a side, or is unreadable.
bool plausibleImage(const IconImage &image, int maxSide = 1024);

// True when the bytes hold all that the image's header describes: a plausible PNG, or a DIB whose
// header, palette and colour bits are all present (a short AND mask is tolerated, as decoders do).
// Checked before the bytes go to a platform decoder that trusts them.
bool completeImage(const IconImage &image);

} // namespace vindle::icons
