#include "vindle/cscrab.h"
#include "vindle/cscrabinterface.h"
#include "vindle/modulestate.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

using vindle::CScrab;
using vindle::IconHandle;

namespace
{

// Icons by path; handles are unique numbers, and every call is logged.
class FakeExtractor : public vindle::IconExtractor
{
public:
    std::map<std::u16string, int> counts;
    std::set<int> failing; // icons whose extraction fails
    std::set<IconHandle> live;
    std::vector<std::string> log;

    int count(const std::u16string &path) override
    {
        log.push_back("count");
        const auto found = counts.find(path);
        return found == counts.end() ? 0 : found->second;
    }
    void extract(const std::u16string &, int n, IconHandle *large, IconHandle *small) override
    {
        log.push_back("extract " + std::to_string(n));
        for (int i = 0; i < n; ++i) {
            large[i] = failing.count(i) ? nullptr : make();
            small[i] = failing.count(i) ? nullptr : make();
        }
    }
    void destroy(IconHandle icon) override
    {
        if (icon) {
            EXPECT_EQ(live.erase(icon), 1u) << "destroyed twice or never made";
            log.push_back("destroy");
        }
    }

private:
    IconHandle make()
    {
        auto *handle = reinterpret_cast<IconHandle>(++m_next);
        live.insert(handle);
        return handle;
    }
    std::uintptr_t m_next = 0x1000;
};

struct Draw {
    IconHandle icon;
    int x, y, width, height;
};

class FakeSurface : public vindle::IconSurface
{
public:
    double outerWidth = -1, outerHeight = -1;
    int clears = 0;
    std::vector<Draw> draws;

    double twipsPerPixelX() const override { return 15; }
    double twipsPerPixelY() const override { return 12; }
    void setOuterHeight(double twips) override { outerHeight = twips; }
    void setOuterWidth(double twips) override { outerWidth = twips; }
    void clearPicture() override { ++clears; }
    void drawIcon(IconHandle icon, int x, int y, int w, int h) override
    {
        draws.push_back({icon, x, y, w, h});
    }
};

class FakeBrowser : public vindle::BrowserHost
{
public:
    HRESULT status = S_OK;
    std::int16_t choice = 0;
    std::u16string path;
    int modal = -1;
    HRESULT open(const std::u16string &p, unsigned char m) override
    {
        path = p;
        modal = m;
        if (SUCCEEDED(status))
            vindle::ChosenIconIndex = choice;
        return status;
    }
};

class CScrabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        icons.counts[u"three.dll"] = 3;
        icons.counts[u"two.dll"] = 2;
        vindle::SetDrawingSurface(&surface);
    }
    void TearDown() override { vindle::SetDrawingSurface(nullptr); }

    FakeExtractor icons;
    FakeSurface surface;
    FakeBrowser browser;
};

const HRESULT subscriptOutOfRange = static_cast<HRESULT>(0x800A0009);

} // namespace

TEST_F(CScrabTest, FreshInstanceIsEmptyAndShowIconFailsAfterClearingTheSurface)
{
    CScrab scrab(icons, browser);
    EXPECT_TRUE(scrab.fileName().empty());
    EXPECT_EQ(scrab.numberIcons(), 0);
    EXPECT_EQ(scrab.showIcon(0, LargeIcon), subscriptOutOfRange);
    EXPECT_EQ(surface.outerHeight, 32 * 12 + 55);
    EXPECT_EQ(surface.outerWidth, 32 * 15 + 55);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_TRUE(surface.draws.empty());
}

TEST_F(CScrabTest, TablesHoldOneSlotMoreThanIconsAndTheLastStaysEmpty)
{
    CScrab scrab(icons, browser);
    scrab.setFileName(u"three.dll");
    EXPECT_EQ(scrab.fileName(), u"three.dll");
    EXPECT_EQ(scrab.numberIcons(), 3);
    ASSERT_EQ(scrab.largeHandles().size(), 4u);
    ASSERT_EQ(scrab.smallHandles().size(), 4u);
    EXPECT_EQ(scrab.largeHandles()[3], nullptr);
    EXPECT_EQ(scrab.smallHandles()[3], nullptr);
    EXPECT_EQ(icons.live.size(), 6u);

    scrab.setFileName(u"missing.dll");
    EXPECT_EQ(scrab.numberIcons(), 0);
    EXPECT_EQ(scrab.largeHandles().size(), 1u);
    EXPECT_TRUE(icons.live.empty());
}

TEST_F(CScrabTest, PuttingFileNameTwiceDestroysTheFirstHandlesBeforeReading)
{
    auto scrab = std::make_unique<CScrab>(icons, browser);
    scrab->setFileName(u"three.dll");
    icons.log.clear();
    scrab->setFileName(u"two.dll");
    const std::vector<std::string> expected = {"destroy", "destroy", "destroy", "destroy",
                                               "destroy", "destroy", "count",   "extract 2"};
    EXPECT_EQ(icons.log, expected);
    EXPECT_EQ(scrab->numberIcons(), 2);
    EXPECT_EQ(icons.live.size(), 4u);
    scrab.reset(); // Class_Terminate
    EXPECT_TRUE(icons.live.empty());
}

TEST_F(CScrabTest, ShowIconPicksTheTableBySizeAndDrawsAtTheCorner)
{
    CScrab scrab(icons, browser);
    scrab.setFileName(u"three.dll");
    ASSERT_EQ(scrab.showIcon(1, SmallIcon), S_OK);
    EXPECT_EQ(surface.outerHeight, 16 * 12 + 55);
    EXPECT_EQ(surface.outerWidth, 16 * 15 + 55);
    ASSERT_EQ(surface.draws.size(), 1u);
    EXPECT_EQ(surface.draws[0].icon, scrab.smallHandles()[1]);
    EXPECT_EQ(surface.draws[0].width, 16);
    ASSERT_EQ(scrab.showIcon(2, LargeIcon), S_OK);
    EXPECT_EQ(surface.draws[1].icon, scrab.largeHandles()[2]);
    ASSERT_EQ(scrab.showIcon(0, 48), S_OK); // other sizes scale the large image
    EXPECT_EQ(surface.draws[2].icon, scrab.largeHandles()[0]);
    EXPECT_EQ(surface.draws[2].x, 0);
    EXPECT_EQ(surface.draws[2].y, 0);
    EXPECT_EQ(surface.draws[2].height, 48);
    EXPECT_EQ(surface.outerWidth, 48 * 15 + 55);
}

TEST_F(CScrabTest, ShowIconOutOfRangeFailsWithError9AndTheEmptySlotDrawsNothing)
{
    icons.failing = {0};
    CScrab scrab(icons, browser);
    scrab.setFileName(u"three.dll");
    EXPECT_EQ(scrab.showIcon(3, LargeIcon), S_OK); // slot IconCount: empty
    EXPECT_EQ(scrab.showIcon(0, SmallIcon), S_OK); // failed extraction: empty
    EXPECT_TRUE(surface.draws.empty());
    EXPECT_EQ(scrab.showIcon(-1, LargeIcon), subscriptOutOfRange);
    EXPECT_EQ(scrab.showIcon(4, SmallIcon), subscriptOutOfRange);
    EXPECT_EQ(surface.clears, 4);
    EXPECT_EQ(surface.outerHeight, 16 * 12 + 55);
}

TEST_F(CScrabTest, ShowIconWithoutSurfaceOrWithAbsurdSizeLeavesTheSurfaceAlone)
{
    CScrab scrab(icons, browser);
    scrab.setFileName(u"three.dll");
    EXPECT_EQ(scrab.showIcon(0, 100000), static_cast<HRESULT>(0x800A017C)); // error 380
    EXPECT_EQ(scrab.showIcon(0, -16), static_cast<HRESULT>(0x800A017C));
    EXPECT_EQ(surface.clears, 0);
    vindle::SetDrawingSurface(nullptr);
    EXPECT_EQ(scrab.showIcon(0, LargeIcon), static_cast<HRESULT>(0x800A005B)); // error 91
    EXPECT_TRUE(surface.draws.empty());
}

TEST_F(CScrabTest, VindleReturnsTheThreadsChoiceAndLeavesItsOwnTablesAlone)
{
    CScrab scrab(icons, browser);
    scrab.setFileName(u"two.dll");
    browser.choice = 17;
    std::u16string result = u"stale";
    ASSERT_EQ(scrab.vindle(u"three.dll", 1, result), S_OK);
    EXPECT_EQ(result, u"17");
    EXPECT_EQ(browser.path, u"three.dll");
    EXPECT_EQ(browser.modal, 1);
    EXPECT_EQ(scrab.fileName(), u"two.dll");
    EXPECT_EQ(scrab.numberIcons(), 2);

    browser.status = RPC_E_WRONG_THREAD;
    ASSERT_EQ(scrab.vindle(u"three.dll", 0, result), RPC_E_WRONG_THREAD);
    EXPECT_TRUE(result.empty());
}
