#include "iconextraction.h"

#include "vindle/icons/iconresources.h"

#include <cstdint>
#include <limits>
#include <span>

namespace engine
{
namespace
{

using vindle::icons::IconGroup;
using vindle::icons::IconResources;

void put16(std::string &out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// A directory side: 256 pixels and more are stored as 0.
char side(int pixels)
{
    return static_cast<char>(pixels >= 256 ? 0 : pixels);
}

// ICONDIR, one 16-byte ICONDIRENTRY per image, then the images in the same order.
std::string iconFile(const IconGroup &group)
{
    constexpr std::size_t kHead = 6, kEntry = 16;
    std::string out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(group.size()));
    std::size_t offset = kHead + kEntry * group.size();
    for (const auto &image : group) {
        out += side(image.width);
        out += side(image.height);
        out += static_cast<char>(image.colorCount);
        out += '\0';
        put16(out, static_cast<std::uint32_t>(image.planes));
        put16(out, static_cast<std::uint32_t>(image.bitCount));
        put32(out, static_cast<std::uint32_t>(image.data.size()));
        put32(out, static_cast<std::uint32_t>(offset));
        offset += image.data.size();
    }
    for (const auto &image : group)
        out.append(reinterpret_cast<const char *>(image.data.data()), image.data.size());
    return out;
}

// The position of the icon that `index` names, or -1.
int position(const IconResources &icons, long long index)
{
    if (index >= 0)
        return index < icons.count() ? static_cast<int>(index) : -1;
    for (int i = 0; i < icons.count(); ++i) {
        const auto name = icons.groupName(i);
        if (!name.named && index >= -std::numeric_limits<std::uint16_t>::max() && name.id == -index)
            return i;
    }
    return -1;
}

} // namespace

bool isModule(std::string_view bytes)
{
    return bytes.starts_with("MZ");
}

std::optional<std::string> extractedIcon(std::string_view moduleBytes, long long index)
{
    const IconResources icons(
        std::span(reinterpret_cast<const std::uint8_t *>(moduleBytes.data()), moduleBytes.size()));
    const int at = position(icons, index);
    const IconGroup group = at < 0 ? IconGroup{} : icons.group(at);
    if (group.empty())
        return std::nullopt;
    return iconFile(group);
}

} // namespace engine
