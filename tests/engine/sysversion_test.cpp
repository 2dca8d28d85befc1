#include "engine/sysversion.h"

#include <gtest/gtest.h>

TEST(SysVersions32, OnlyTheNtFamilyFromVersionFiveDressesTheXpWay)
{
    EXPECT_EQ(engine::SysVersions32(2, 5), 1);
    EXPECT_EQ(engine::SysVersions32(2, 10), 1);
    EXPECT_EQ(engine::SysVersions32(2, 4), 0);
    EXPECT_EQ(engine::SysVersions32(1, 10), 0);
    EXPECT_EQ(engine::SysVersions32(3, 10), 0);
}
