#pragma once

#include "vindle/icons/iconresources.h"

#include <QImage>

namespace vindle::icons
{

// Decodes one icon image (BMP DIB with its mask, or PNG) through Qt's ICO reader by wrapping it
// in an in-memory .ico of one entry; null when it cannot be decoded or claims absurd dimensions.
QImage decodeIconImage(const IconImage &image);

// The group's best image for `size` pixels, decoded and scaled to size × size; null when none.
QImage iconImage(const IconGroup &group, int size);

} // namespace vindle::icons
