#include "engine/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

TEST(Settings, DefaultsRoundTripAndFlagsThatAreNotNumbers)
{
#ifdef _WIN32
    GTEST_SKIP() << "the Windows store is the registry, tested with the platform";
#else
    const auto home =
        std::filesystem::temp_directory_path() / ("ravo2-settings-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    engine::Settings settings;
    EXPECT_FALSE(settings.clearListOfFolders());
    EXPECT_EQ(settings.language(), "0");
    EXPECT_EQ(settings.delall(), "0");

    settings.setClearListOfFolders(true);
    settings.setLanguage(3);
    platform::SettingsStore raw("ravo2");
    EXPECT_EQ(raw.get("Options", "clearlistoffolders", "?"), "1");
    EXPECT_EQ(raw.get("Options", "language", "?"), "3");
    for (const auto &[stored, on] : {std::pair{"abc", false}, {"", false}, {" 2 ", true}}) {
        ASSERT_TRUE(raw.save("Options", "startnewcopyofravo", stored).ok());
        EXPECT_EQ(settings.startNewCopyOfRavo(), on) << '"' << stored << '"';
    }
    std::filesystem::remove_all(home);
#endif
}
