// The server's icon extraction (the services every CScrab of vindle.dll uses) on healthy and
// damaged modules; the icons are drawn back and their pixels compared with the fixtures' colours.
#include "iconfixtures.h"
#include "platform/unicode.h"
#include "vindle/componentservices.h"
#include "vindle/icons/iconresources.h"
#include "winfiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace iconfixtures;

namespace
{

std::u16string widePath(const std::string &utf8)
{
    return platform::utf8ToUtf16(utf8);
}

// The icons of a file as the server extracts them, destroyed at the end.
struct Extracted {
    int count = 0;
    std::vector<vindle::IconHandle> large, small;

    explicit Extracted(const std::string &path)
    {
        vindle::IconExtractor &icons = vindle::componentServices().icons;
        count = icons.count(widePath(path));
        large.assign(static_cast<size_t>(count) + 1, nullptr);
        small.assign(static_cast<size_t>(count) + 1, nullptr);
        if (count > 0)
            icons.extract(widePath(path), count, large.data(), small.data());
    }
    ~Extracted()
    {
        for (size_t i = 0; i < large.size(); ++i) {
            vindle::componentServices().icons.destroy(large[i]);
            vindle::componentServices().icons.destroy(small[i]);
        }
    }
};

// The colour 0xRRGGBB at the centre of `icon` drawn at size × size, or -1 when nothing was drawn.
long drawnColour(vindle::IconHandle icon, int size)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::fill_n(static_cast<std::uint32_t *>(bits), size * size, 0xFF000000u);
    const bool drawn = DrawIconEx(dc, 0, 0, static_cast<HICON>(icon), size, size, 0, nullptr, 3);
    GdiFlush();
    const std::uint32_t pixel = static_cast<std::uint32_t *>(bits)[size / 2 * size + size / 2];
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn ? static_cast<long>(pixel & 0xFFFFFF) : -1;
}

} // namespace

TEST(IconExtraction, IconNDrawsImageNAtBothSizes)
{
    winfiles::TempFolder folder;
    const std::string path = folder / "five.dll";
    ASSERT_TRUE(writeFile(path, buildModule(plainModule(5))));
    const Extracted icons(path);
    ASSERT_EQ(icons.count, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drawnColour(icons.large[i], 32), long(colourOf(i, 32))) << "large " << i;
        EXPECT_EQ(drawnColour(icons.small[i], 16), long(colourOf(i, 16))) << "small " << i;
    }
    EXPECT_EQ(icons.large[5], nullptr);
    EXPECT_EQ(icons.small[5], nullptr);
}

// Each damaged file counts what our reader counts on Linux, makes no handle for an image whose
// bytes are not all there, and does not bring the process down.
TEST(IconExtraction, DamagedFilesCountAsOnLinuxAndMakeNoBrokenHandles)
{
    struct Case {
        const char *name;
        std::function<void(Bytes &, const Layout &)> damage;
        int count;
        std::vector<int> whole; // icons whose two images are still complete
    };
    auto dataOffset = [](const Bytes &file, size_t entry) {
        return file[entry] | file[entry + 1] << 8 | size_t{file[entry + 2]} << 16;
    };
    const std::vector<Case> cases = {
        {"cut before the resource section",
         [](Bytes &f, const Layout &l) { f.resize(l.sectionStart); },
         0,
         {}},
        {"resource directory past the end",
         [](Bytes &f, const Layout &l) { put32(f, l.resourceDirectory, 0x7FFFF000); },
         0,
         {}},
        {"cut inside the icon data",
         [&](Bytes &f, const Layout &l) {
             f.resize(dataOffset(f, l.iconDataEntries[2]) - 0x1000 + 0x200 + 100);
         },
         3,
         {}},
        {"icon data entries past the end",
         [](Bytes &f, const Layout &l) {
             put32(f, l.iconDataEntries[2], 0x00FFFF00);
             put32(f, l.iconDataEntries[3] + 4, 0x7FFFFFFF);
         },
         3,
         {0, 2}},
        {"bitmap shorter than its header says",
         [](Bytes &f, const Layout &l) {
             put32(f, l.iconDataEntries[0] + 4, 600);
             put32(f, l.iconDataEntries[1] + 4, 40);
         },
         3,
         {1, 2}},
    };
    winfiles::TempFolder folder;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        Bytes file = buildModule(plainModule(3), &layout);
        c.damage(file, layout);
        const std::string path = folder / "damaged.dll";
        ASSERT_TRUE(writeFile(path, file));
        const vindle::icons::IconResources reader({file.data(), file.size()});
        const Extracted icons(path);
        EXPECT_EQ(icons.count, c.count);
        EXPECT_EQ(icons.count, reader.count());
        for (int i = 0; i < icons.count; ++i) {
            const bool whole = std::find(c.whole.begin(), c.whole.end(), i) != c.whole.end();
            EXPECT_EQ(icons.large[i] != nullptr, whole) << "large " << i;
            EXPECT_EQ(icons.small[i] != nullptr, whole) << "small " << i;
            if (whole) {
                EXPECT_EQ(drawnColour(icons.large[i], 32), long(colourOf(i, 32)));
            }
        }
    }
}

TEST(IconExtraction, NoIconsInFilesThatAreNotModules)
{
    winfiles::TempFolder folder;
    winfiles::writeFile(folder / "empty.dll", "");
    winfiles::writeFile(folder / "text.dll", "MZ but nothing more");
    winfiles::makeFolder(folder / "folder.dll");
    for (const char *name : {"empty.dll", "text.dll", "folder.dll", "missing.dll"})
        EXPECT_EQ(Extracted(folder / name).count, 0) << name;
}
