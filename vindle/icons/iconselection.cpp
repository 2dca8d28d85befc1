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

bool isPng(const IconImage &image)
{
    static constexpr std::uint8_t png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return image.data.size() >= 24 && std::equal(png, png + 8, image.data.begin());
}

std::uint64_t le(std::span<const std::uint8_t> data, size_t at, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[at + static_cast<size_t>(i)];
    return value;
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
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (isPng(image)) {
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

bool completeImage(const IconImage &image)
{
    if (!plausibleImage(image))
        return false;
    if (isPng(image))
        return true; // the decoder checks the stream's own chunk lengths
    const std::span<const std::uint8_t> d = image.data;
    if (d.size() < 40)
        return false;
    const std::uint64_t headerSize = le(d, 0, 4);
    const std::uint64_t width = le(d, 4, 4);
    const auto rows = static_cast<std::uint64_t>(
        std::llabs(static_cast<std::int64_t>(static_cast<std::int32_t>(le(d, 8, 4)))) / 2);
    const std::uint64_t bitCount = le(d, 14, 2);
    const std::uint64_t compression = le(d, 16, 4);
    const std::uint64_t colorsUsed = le(d, 32, 4);
    constexpr std::uint64_t rgb = 0;
    constexpr std::uint64_t bitFields = 3;
    if (headerSize < 40 || (compression != rgb && compression != bitFields))
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return false;
    const std::uint64_t masks = compression == bitFields && headerSize == 40 ? 12 : 0;
    const std::uint64_t entries = colorsUsed != 0 ? colorsUsed : bitCount <= 8 ? 1u << bitCount : 0;
    const std::uint64_t stride = (width * bitCount + 31) / 32 * 4;
    return headerSize + masks + entries * 4 + stride * rows <= d.size();
}

} // namespace vindle::icons
