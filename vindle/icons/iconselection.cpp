#include "vindle/icons/iconselection.h"

#include <algorithm>
#include <cstdlib>

namespace vindle::icons
{

namespace
{

int depth(const IconImage &image)
{
    if (image.bitCount > 0)
        return image.bitCount;
    if (image.colorCount == 2)
        return 1;
    if (image.colorCount > 0 && image.colorCount <= 16)
        return 4;
    return 8;
}

// True when `a` suits `size` better than `b`.
bool better(const IconImage &a, const IconImage &b, int size)
{
    const bool exactA = a.width == size && a.height == size;
    const bool exactB = b.width == size && b.height == size;
    if (exactA != exactB)
        return exactA;
    const int distanceA = std::abs(a.width - size);
    const int distanceB = std::abs(b.width - size);
    if (distanceA != distanceB)
        return distanceA < distanceB;
    if (a.width != b.width)
        return a.width > b.width;
    return depth(a) > depth(b);
}

} // namespace

const IconImage *bestImage(const IconGroup &group, int size)
{
    const IconImage *best = nullptr;
    for (const IconImage &image : group) {
        if (!best || better(image, *best, size))
            best = &image;
    }
    return best;
}

bool plausibleImage(const IconImage &image, int maxSide)
{
    static constexpr std::uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (image.data.size() >= 24 && std::equal(png, png + 8, image.data.begin())) {
        // The IHDR chunk holds big-endian width and height at offsets 16 and 20.
        auto be32 = [&](size_t at) {
            return std::uint32_t{image.data[at]} << 24 | image.data[at + 1] << 16 |
                   image.data[at + 2] << 8 | image.data[at + 3];
        };
        width = be32(16);
        height = be32(20);
    } else if (image.data.size() >= 12) {
        auto le32 = [&](size_t at) {
            return std::uint32_t{image.data[at]} | image.data[at + 1] << 8 |
                   image.data[at + 2] << 16 | std::uint32_t{image.data[at + 3]} << 24;
        };
        width = le32(4);
        height = le32(8);
        // A DIB stores the height of image and mask together, possibly negated (top-down).
        height = static_cast<std::uint32_t>(
            std::llabs(static_cast<std::int64_t>(static_cast<std::int32_t>(height))) / 2);
    } else {
        return false;
    }
    const auto limit = static_cast<std::uint32_t>(maxSide);
    return width > 0 && height > 0 && width <= limit && height <= limit;
}

} // namespace vindle::icons
