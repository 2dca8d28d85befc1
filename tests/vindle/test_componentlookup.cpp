// Built beside the program (build/app), this client finds the component the way a program run from
// the build tree or an installed one does: with no registration, or past a record that is stale.
#include "platform/componentruntime.h"
#include "vindle/cscrabinterface.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>

namespace
{

class ComponentLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_config.isValid());
        setenv("XDG_CONFIG_HOME", m_config.path().toUtf8().constData(), 1);
    }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    QTemporaryDir m_config;
};

} // namespace

TEST_F(ComponentLookup, TheProgramsOwnCopyServesUnlessARecordNamesAnExistingFile)
{
    const std::string stale = m_config.filePath("gone/libvindle.so").toStdString();
    const std::string notALibrary = m_config.filePath("record.txt").toStdString();
    ASSERT_TRUE(std::system(("touch '" + notALibrary + "'").c_str()) == 0);
    const struct {
        const char *what;
        std::string recordedServer; // empty: no record
        HRESULT expected;
    } cases[] = {
        {"no record", "", S_OK},
        {"record of a deleted build", stale, S_OK},
        {"the user's own record wins", notALibrary, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(platform::removeClassRecord(CLSID_CScrab).ok());
        if (!c.recordedServer.empty()) {
            const platform::ClassRecord record{CLSID_CScrab, c.recordedServer, "vindle.CScrab",
                                               "Apartment"};
            ASSERT_TRUE(platform::writeClassRecord(record).ok());
        }
        _CScrab *scrab = nullptr;
        const auto status = platform::createInstance(CLSID_CScrab, IID__CScrab,
                                                     reinterpret_cast<void **>(&scrab), "vindle");
        EXPECT_EQ(status.code, c.expected) << c.what << ": " << status.message;
        if (scrab) {
            EXPECT_EQ(scrab->Release(), 0u) << c.what;
        }
    }
}
