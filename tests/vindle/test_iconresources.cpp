#include "iconfixtures.h"
#include "vindle/icons/iconresources.h"
#include "vindle/icons/iconselection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

using namespace iconfixtures;
using vindle::icons::IconGroup;
using vindle::icons::IconImage;
using vindle::icons::IconResources;

namespace
{

std::span<const std::uint8_t> view(const Bytes &bytes)
{
    return {bytes.data(), bytes.size()};
}

std::string nameText(const vindle::icons::GroupName &name)
{
    return name.named ? std::string(name.name.begin(), name.name.end()) : std::to_string(name.id);
}

// The stored RT_ICON bytes an image came from.
bool sameBytes(const IconImage &image, const Bytes &expected)
{
    return std::equal(image.data.begin(), image.data.end(), expected.begin(), expected.end());
}

} // namespace

class PlainModule : public ::testing::TestWithParam<bool>
{
};

TEST_P(PlainModule, CountsGroupsAndFindsEveryImage)
{
    const Module module = plainModule(3, GetParam());
    const Bytes file = buildModule(module);
    const IconResources icons(view(file));
    ASSERT_EQ(icons.count(), 3);
    for (int i = 0; i < 3; ++i) {
        const IconGroup group = icons.group(i);
        ASSERT_EQ(group.size(), 2u) << "group " << i;
        EXPECT_EQ(group[0].width, 32);
        EXPECT_EQ(group[1].height, 16);
        EXPECT_EQ(group[0].bitCount, 32);
        EXPECT_TRUE(sameBytes(group[0], module.icons[2 * i].second));
        EXPECT_TRUE(sameBytes(group[1], module.icons[2 * i + 1].second));
    }
    EXPECT_TRUE(icons.group(3).empty());
    EXPECT_TRUE(icons.group(-1).empty());
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, PlainModule, ::testing::Values(false, true));

TEST(IconResources, NamedGroupsComeFirstThenIdsAscending)
{
    Module module = plainModule(4);
    module.groups[0].id = 20;
    module.groups[1].name = u"ZETA";
    module.groups[2].id = 5;
    module.groups[3].name = u"ALPHA";
    const Bytes file = buildModule(module);
    const IconResources icons(view(file));
    ASSERT_EQ(icons.count(), 4);
    std::vector<std::string> names;
    for (int i = 0; i < 4; ++i)
        names.push_back(nameText(icons.groupName(i)));
    EXPECT_EQ(names, (std::vector<std::string>{"ALPHA", "ZETA", "5", "20"}));
    // The images follow their group, not the position the group was declared in.
    EXPECT_TRUE(sameBytes(icons.group(0)[0], module.icons[6].second));
    EXPECT_TRUE(sameBytes(icons.group(3)[0], module.icons[0].second));
}

TEST(IconResources, AnIconFileIsOneIconAndOtherFilesHoldNone)
{
    const Bytes ico = buildIconFile({{16, 4, bmpImage(16, 4, 0xFF0000)},
                                     {32, 8, bmpImage(32, 8, 0x00FF00)},
                                     {48, 32, pngImage(48, 0x0000FF)}});
    const IconResources icons(view(ico));
    ASSERT_EQ(icons.count(), 1);
    const IconGroup group = icons.group(0);
    ASSERT_EQ(group.size(), 3u);
    EXPECT_EQ(group[2].width, 48);
    EXPECT_EQ(group[2].data[1], 'P');

    Bytes cursor = ico;
    put16(cursor, 2, 2);
    Bytes noImages = ico;
    put16(noImages, 4, 0);
    const Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    const Bytes justMz = {'M', 'Z'};
    for (const Bytes &other : {cursor, noImages, text, justMz, Bytes{}})
        EXPECT_EQ(IconResources(view(other)).count(), 0);
}

TEST(IconSelection, ExactSizeDeepestColourElseNearestLargerSize)
{
    const Bytes b(64, 1);
    auto image = [&](int side, int bits) { return IconImage{side, side, 0, 1, bits, view(b)}; };
    const IconGroup mixed = {image(16, 4), image(16, 32), image(32, 8), image(48, 32)};
    EXPECT_EQ(vindle::icons::bestImage(mixed, 16), &mixed[1]);
    EXPECT_EQ(vindle::icons::bestImage(mixed, 32), &mixed[2]);
    const IconGroup around = {image(24, 32), image(40, 8), image(64, 32)};
    EXPECT_EQ(vindle::icons::bestImage(around, 32), &around[1]); // 8 away each way: the larger
    EXPECT_EQ(vindle::icons::bestImage(around, 16), &around[0]);
    EXPECT_EQ(vindle::icons::bestImage({}, 32), nullptr);
    // A palette size stands in for a missing bit count.
    const IconGroup legacy = {IconImage{32, 32, 16, 1, 0, view(b)},
                              IconImage{32, 32, 0, 1, 0, view(b)}};
    EXPECT_EQ(vindle::icons::bestImage(legacy, 32), &legacy[1]);
}

TEST(IconSelection, ImagesClaimingHugeDimensionsAreImplausible)
{
    EXPECT_TRUE(vindle::icons::plausibleImage({32, 32, 0, 1, 32, view(bmpImage(32, 32, 1))}));
    EXPECT_TRUE(vindle::icons::plausibleImage({48, 48, 0, 1, 32, view(pngImage(48, 1))}));
    Bytes huge = bmpImage(16, 32, 1);
    put32(huge, 4, 100000);
    EXPECT_FALSE(vindle::icons::plausibleImage({16, 16, 0, 1, 32, view(huge)}));
    Bytes negative = bmpImage(16, 32, 1);
    put32(negative, 8, 0x80000000u);
    EXPECT_FALSE(vindle::icons::plausibleImage({16, 16, 0, 1, 32, view(negative)}));
    Bytes bigPng = pngImage(16, 1);
    put32(bigPng, 16, 0x00100000u); // big-endian width 4096
    EXPECT_FALSE(vindle::icons::plausibleImage({16, 16, 0, 1, 32, view(bigPng)}));
    const Bytes tiny = {1, 2, 3};
    EXPECT_FALSE(vindle::icons::plausibleImage({16, 16, 0, 1, 32, view(tiny)}));
}

namespace
{

// Group names as `wrestool -l --type=14` lists them, in its order; nullopt without icoutils.
std::optional<std::vector<std::string>> wrestoolGroups(const std::string &path)
{
    if (std::system("wrestool --version >/dev/null 2>&1") != 0)
        return std::nullopt;
    FILE *pipe = popen(("wrestool -l --type=14 '" + path + "' 2>/dev/null").c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::vector<std::string> names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text = line;
        const size_t at = text.find("--name=");
        if (at == std::string::npos)
            continue;
        std::string name = text.substr(at + 7, text.find(' ', at) - at - 7);
        if (name.size() > 1 && name.front() == '\'')
            name = name.substr(1, name.size() - 2);
        if (names.empty() || names.back() != name) // one line per language
            names.push_back(name);
    }
    pclose(pipe);
    return names;
}

Bytes readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ourGroups(const Bytes &file)
{
    const IconResources icons(view(file));
    std::vector<std::string> names;
    for (int i = 0; i < icons.count(); ++i)
        names.push_back(nameText(icons.groupName(i)));
    return names;
}

} // namespace

TEST(WrestoolAgreement, FixturesListTheSameGroupsInOrder)
{
    if (!wrestoolGroups("/dev/null"))
        GTEST_SKIP() << "icoutils (wrestool) is not installed";
    Module mixed = plainModule(5, true);
    mixed.groups[1].name = u"BETA";
    mixed.groups[3].name = u"ALPHA";
    mixed.groups[4].id = 300;
    const std::vector<Bytes> files = {buildModule(plainModule(3)), buildModule(mixed)};
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string path = ::testing::TempDir() + "pe-wrestool-" + std::to_string(i) + ".dll";
        ASSERT_TRUE(writeFile(path, files[i]));
        EXPECT_EQ(ourGroups(files[i]), *wrestoolGroups(path)) << path;
    }
}

TEST(WrestoolAgreement, WineModules)
{
    const std::string folder = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/";
    if (!wrestoolGroups("/dev/null") || !std::ifstream(folder + "shell32.dll"))
        GTEST_SKIP() << "needs icoutils and Wine's PE libraries (wine64)";
    for (const char *name : {"shell32.dll", "user32.dll", "comdlg32.dll"}) {
        const Bytes file = readAll(folder + name);
        const auto expected = wrestoolGroups(folder + name);
        EXPECT_FALSE(expected->empty()) << name;
        EXPECT_EQ(ourGroups(file), *expected) << name;
        const IconResources icons(view(file));
        for (int i = 0; i < icons.count(); ++i)
            EXPECT_NE(vindle::icons::bestImage(icons.group(i), 32), nullptr) << name << " " << i;
    }
}
