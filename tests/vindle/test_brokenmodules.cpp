// Broken and mutated modules; built with AddressSanitizer where the compiler offers it, so a read
// outside the bytes fails the test even when it does not crash.
#include "iconfixtures.h"
#include "vindle/icons/iconresources.h"
#include "vindle/icons/iconselection.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace iconfixtures;
using vindle::icons::IconResources;

namespace
{

std::span<const std::uint8_t> view(const Bytes &bytes)
{
    return {bytes.data(), bytes.size()};
}

// Every image of every group lies inside the file's bytes.
::testing::AssertionResult staysInside(const IconResources &icons, const Bytes &file)
{
    const std::uint8_t *begin = file.data();
    const std::uint8_t *end = file.data() + file.size();
    for (int i = 0; i < icons.count(); ++i) {
        for (const auto &image : icons.group(i)) {
            if (image.data.data() < begin || image.data.data() + image.data.size() > end)
                return ::testing::AssertionFailure() << "group " << i << " reads outside";
            vindle::icons::plausibleImage(image);
        }
        vindle::icons::bestImage(icons.group(i), 32);
    }
    return ::testing::AssertionSuccess();
}

struct Fixture {
    Bytes file;
    Layout layout;
};

Fixture goodModule(int count = 3)
{
    Fixture f;
    f.file = buildModule(plainModule(count), &f.layout);
    return f;
}

} // namespace

TEST(BrokenModule, TruncatedSectionTableHoldsNoIcons)
{
    Fixture f = goodModule();
    f.file.resize(f.layout.sectionTable + 20);
    const IconResources icons(view(f.file));
    EXPECT_EQ(icons.count(), 0);
}

TEST(BrokenModule, ResourceOffsetPastEndHoldsNoIcons)
{
    Fixture f = goodModule();
    put32(f.file, f.layout.resourceDirectory, 0x7FFFF000);
    EXPECT_EQ(IconResources(view(f.file)).count(), 0);
}

TEST(BrokenModule, IconDataPastEndLeavesItsGroupWithoutThatImage)
{
    Fixture f = goodModule();
    // RT_ICON id 3 is the 32-pixel image of group 1.
    put32(f.file, f.layout.iconDataEntries[2], 0x00FFFF00);
    put32(f.file, f.layout.iconDataEntries[3] + 4, 0x7FFFFFFF);
    const IconResources icons(view(f.file));
    ASSERT_EQ(icons.count(), 3);
    EXPECT_TRUE(icons.group(1).empty());
    EXPECT_EQ(icons.group(0).size(), 2u);
    EXPECT_EQ(icons.group(2).size(), 2u);
    EXPECT_TRUE(staysInside(icons, f.file));
}

TEST(BrokenModule, LoopingDirectoriesEnd)
{
    Fixture toRoot = goodModule();
    put32(toRoot.file, toRoot.layout.groupTypeEntry + 4, 0x80000000u);
    const IconResources fromRoot(view(toRoot.file));
    EXPECT_EQ(fromRoot.count(), 2); // the root's own two entries, leading nowhere
    EXPECT_TRUE(fromRoot.group(0).empty());
    EXPECT_TRUE(staysInside(fromRoot, toRoot.file));

    Fixture toItself = goodModule();
    const auto groupDir =
        static_cast<std::uint32_t>(toItself.layout.groupDirectory - toItself.layout.sectionStart);
    for (int i = 0; i < 3; ++i)
        put32(toItself.file, toItself.layout.groupDirectory + 16 + 8 * i + 4,
              0x80000000u | groupDir);
    const IconResources selfLoop(view(toItself.file));
    EXPECT_EQ(selfLoop.count(), 3);
    EXPECT_TRUE(selfLoop.group(1).empty());
}

TEST(BrokenModule, HugeCountsStopAtTheSectionEnd)
{
    Fixture f = goodModule();
    put16(f.file, f.layout.groupDirectory + 14, 0xFFFF);
    put16(f.file, f.layout.groupDirectory + 12, 0xFFFF);
    const IconResources icons(view(f.file));
    const size_t room = (f.file.size() - f.layout.groupDirectory - 16) / 8;
    EXPECT_EQ(static_cast<size_t>(icons.count()), room);
    EXPECT_TRUE(staysInside(icons, f.file));

    // A group that claims 65535 images lists only the ones present.
    Fixture g = goodModule(1);
    const Bytes groupHead = {0, 0, 1, 0, 2, 0, 32, 32};
    auto at = std::search(g.file.begin(), g.file.end(), groupHead.begin(), groupHead.end());
    ASSERT_NE(at, g.file.end());
    put16(g.file, static_cast<size_t>(at - g.file.begin()) + 4, 0xFFFF);
    const IconResources claimed(view(g.file));
    EXPECT_EQ(claimed.group(0).size(), 2u);
}

TEST(BrokenModule, MissingIconIdsAreSkipped)
{
    Module module = plainModule(2);
    module.groups[1].entries[0].iconId = 999;
    const Bytes file = buildModule(module);
    const IconResources icons(view(file));
    ASSERT_EQ(icons.count(), 2);
    EXPECT_EQ(icons.group(1).size(), 1u);
    EXPECT_EQ(icons.group(1)[0].width, 16);
}

TEST(BrokenModule, MutatedAndTruncatedBytesNeverReadOutside)
{
    Module module = plainModule(3, true);
    module.groups[0].name = u"NAMED";
    const Bytes good = buildModule(module);
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        Bytes file = good;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            // Mostly the headers and directories, where the offsets live.
            const size_t limit = random() % 4 ? std::min<size_t>(file.size(), 0x400) : file.size();
            file[random() % limit] = static_cast<std::uint8_t>(random());
        }
        if (round % 5 == 0)
            file.resize(random() % file.size());
        const IconResources icons(view(file));
        ASSERT_LE(static_cast<size_t>(icons.count()), file.size() / 8 + 1) << "round " << round;
        ASSERT_TRUE(staysInside(icons, file)) << "round " << round;
    }
}

TEST(BrokenModule, OnlyCompleteImagesGoToThePlatformDecoder)
{
    const Bytes whole = bmpImage(32, 8, 0x102030);
    auto changed = [&](const std::function<void(Bytes &)> &change) {
        Bytes bytes = whole;
        change(bytes);
        return bytes;
    };
    struct Case {
        const char *name;
        Bytes bytes;
        bool complete;
    };
    const Case cases[] = {
        {"whole", whole, true},
        {"without its mask", changed([](Bytes &b) { b.resize(b.size() - 4 * 32); }), true},
        {"colour bits cut", changed([](Bytes &b) { b.resize(40 + 1024 + 100); }), false},
        {"header only", changed([](Bytes &b) { b.resize(40); }), false},
        {"palette larger than the bytes", changed([](Bytes &b) { put32(b, 32, 0xFFFFFFFF); }),
         false},
        {"run-length compressed", changed([](Bytes &b) { put32(b, 16, 1); }), false},
        {"PNG", pngImage(32, 0x102030), true},
    };
    for (const Case &c : cases) {
        vindle::icons::IconImage image;
        image.data = view(c.bytes);
        EXPECT_EQ(vindle::icons::completeImage(image), c.complete) << c.name;
    }
}
