// A library's icon extracted into a folder as a .ico holds what icoutils' wrestool extracts.

#include "engine/iconextraction.h"
#include "engine/sha256.h"
#include "iconfixtures.h"
#include "vindle/icons/iconresources.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace iconfixtures;
using vindle::icons::IconResources;

namespace
{

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Each image of a .ico file's one icon: its directory fields, then its bytes.
std::vector<std::string> imagesOf(const std::string &ico)
{
    const IconResources icons(
        std::span(reinterpret_cast<const std::uint8_t *>(ico.data()), ico.size()));
    std::vector<std::string> images;
    for (const auto &image : icons.group(0)) {
        images.push_back(std::to_string(image.width) + "x" + std::to_string(image.height) + " " +
                         std::to_string(image.colorCount) + " colours " +
                         std::to_string(image.planes) + " planes " +
                         std::to_string(image.bitCount) + " bits, bytes " +
                         engine::sha256Hex(std::string(image.data.begin(), image.data.end())));
    }
    return images;
}

// The group `name` of a module as `wrestool -x` writes it; empty when it fails.
std::string wrestoolIcon(const std::string &module, const std::string &name)
{
    const std::string out = ::testing::TempDir() + "wrestool-extracted.ico";
    std::remove(out.c_str());
    const std::string command =
        "wrestool -x --type=14 '--name=" + name + "' '" + module + "' -o '" + out + "' 2>/dev/null";
    return std::system(command.c_str()) == 0 ? readAll(out) : std::string();
}

} // namespace

TEST(IconExtraction, EveryImageOfTheGroupAsWrestoolExtractsIt)
{
    if (std::system("wrestool --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "icoutils (wrestool) is not installed";
    Module module = plainModule(3);
    // A third size, a PNG image and an id out of order, so that order and kind both count.
    module.icons.emplace_back(90, pngImage(48, 0x123456));
    module.groups[1].entries.push_back({48, 48, 32, 90});
    module.groups[2].id = 7;
    const std::string path = ::testing::TempDir() + "extraction.dll";
    const Bytes bytes = buildModule(module);
    ASSERT_TRUE(writeFile(path, bytes));
    const std::string_view view(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    const struct {
        long long index;    // IconIndex as written
        std::string group;  // wrestool's name of the same group
        std::size_t images; // how many images it holds
    } cases[] = {{0, "1", 2}, {1, "2", 3}, {2, "7", 2}, {-7, "7", 2}, {-2, "2", 3}};
    for (const auto &c : cases) {
        const auto extracted = engine::extractedIcon(view, c.index);
        ASSERT_TRUE(extracted) << c.index;
        const auto ours = imagesOf(*extracted);
        EXPECT_EQ(ours.size(), c.images) << c.index;
        EXPECT_EQ(ours, imagesOf(wrestoolIcon(path, c.group))) << c.index;
    }
    for (long long missing : {3LL, -3LL, -70000LL})
        EXPECT_FALSE(engine::extractedIcon(view, missing)) << missing;
}

TEST(IconExtraction, WineShell32AsWrestoolExtractsIt)
{
    const std::string shell32 = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
    if (std::system("wrestool --version >/dev/null 2>&1") != 0 || !std::ifstream(shell32))
        GTEST_SKIP() << "needs icoutils and Wine's shell32.dll (wine64)";
    const std::string bytes = readAll(shell32);
    // The fourth group is id 2; id 4 is read by its negative index.
    const auto byIndex = engine::extractedIcon(bytes, 3), byId = engine::extractedIcon(bytes, -4);
    ASSERT_TRUE(byIndex && byId);
    EXPECT_EQ(imagesOf(*byIndex), imagesOf(wrestoolIcon(shell32, "2")));
    EXPECT_EQ(imagesOf(*byId), imagesOf(wrestoolIcon(shell32, "4")));
    EXPECT_GT(imagesOf(*byIndex).size(), 1u);
}
