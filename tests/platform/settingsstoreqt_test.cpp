#include "platform/settingsstore.h"
#include "tempfolder.h"

#include <QSettings>
#include <cstdlib>
#include <gtest/gtest.h>

using platform::SettingsStore;

// QSettings fixes its folders on first use, so this is the only test of this program.
TEST(SettingsStoreQt, SameFileReadableBothWays)
{
    testing_support::TempFolder config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    SettingsStore store("ravo2");
    const std::string awkward = " a, b; \"c\" \\ ";
    ASSERT_TRUE(store.save("Options", "delall", "2").ok());
    ASSERT_TRUE(store.save("Options", "note", awkward).ok());
    {
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, "ravo2", "ravo2");
        EXPECT_EQ(settings.fileName().toStdString(), store.location());
        EXPECT_EQ(settings.value("Options/delall").toString().toStdString(), "2");
        EXPECT_EQ(settings.value("Options/note").toString().toStdString(), awkward);
        settings.setValue("Options/language", "3");
        settings.setValue("Options/tip", "x, y");
        settings.setValue("Other/k", "v");
    }
    EXPECT_EQ(store.get("Options", "language", "1"), "3");
    EXPECT_EQ(store.get("Options", "tip", ""), "x, y");
    EXPECT_EQ(store.get("Options", "delall", "0"), "2");
    EXPECT_EQ(store.get("Other", "k", ""), "v");
}
