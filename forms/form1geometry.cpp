#include "forms/form1geometry.h"

#include <array>

namespace form1geometry
{
namespace
{

// Everything below the icon frame moves down by this much in the library layout.
constexpr int kLibraryShift = 360;

constexpr std::array<Place, 25> kStart{{
    {"Frame1", 120, 120, 5055, 615},     {"Text1", 120, 240, 4455, 315},
    {"Command1", 4800, 360, 255, 255},   {"Frame3", 5280, 120, 1575, 735},
    {"Option1", 5400, 360, 1215, 195},   {"Option2", 5400, 600, 1215, 195},
    {"Check2", 120, 1080, 220, 255},     {"Frame2", 360, 840, 5055, 615},
    {"Text2", 120, 240, 4455, 285},      {"Command2", 5040, 1080, 255, 255},
    {"Label1_0", 120, 600, 570, 195},    {"Text3", 720, 600, 615, 285},
    {"Command6", 1440, 600, 1815, 255},  {"Check1", 120, 1920, 220, 255},
    {"Frame4", 360, 1560, 5055, 615},    {"Text4", 120, 240, 4815, 285},
    {"Check3", 120, 2640, 220, 255},     {"Frame8", 360, 2280, 5055, 975},
    {"Text5", 120, 240, 4455, 285},      {"Command10", 5040, 2520, 255, 255},
    {"Label1_1", 120, 600, 2100, 195},   {"Picture1", 2280, 600, 2295, 255},
    {"Command11", 5040, 2880, 255, 255}, {"Command3", 5520, 960, 1335, 855},
    {"Command4", 5520, 1920, 1335, 375},
}};

constexpr std::array<Place, 7> layout(int shift, int iconFrameHeight)
{
    return {{
        {"Frame2", 360, 840, 5055, iconFrameHeight},
        {"Frame4", 360, 1560 + shift, 5055, 615},
        {"Check1", 120, 1920 + shift, 220, 255},
        {"Frame8", 360, 2280 + shift, 5055, 975},
        {"Check3", 120, 2640 + shift, 220, 255},
        {"Command10", 5040, 2520 + shift, 255, 255},
        {"Command11", 5040, 2880 + shift, 255, 255},
    }};
}

constexpr auto kFileLayout = layout(0, 615);
constexpr auto kLibraryLayout = layout(kLibraryShift, 975);

} // namespace

std::span<const Place> startPlaces()
{
    return kStart;
}

std::span<const Place> layoutPlaces(engine::IconSource source)
{
    if (source == engine::IconSource::Library)
        return kLibraryLayout;
    return kFileLayout;
}

} // namespace form1geometry
