// Folders dressed by the ravo2 program on the Linux side, seen by a Windows client through Samba.

#include "childprocess.h"
#include "engine/folderdresser.h"
#include "sambaserver.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

using testing_support::runProcess;
using testing_support::SambaServer;
using testing_support::TempFolder;

namespace
{

constexpr std::uint32_t kShownBits = 0x1 | 0x2 | 0x4; // R, H, S as smbclient's allinfo shows them

class SambaDressing : public ::testing::Test
{
protected:
    TempFolder m_share;
    TempFolder m_config;
    SambaServer m_server;

    void SetUp() override
    {
        if (const std::string reason = SambaServer::unavailableReason(); !reason.empty())
            GTEST_SKIP() << reason;
        for (const char *name : {"Фото", "Музыка"})
            ASSERT_EQ(mkdir((m_share / name).c_str(), 0755), 0);
        // The program runs without a display and keeps its settings out of the user's.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", m_config.path().c_str(), 1);
        ASSERT_EQ(m_server.start(m_share.path()), "");
    }

    void dress(const std::string &folder, const std::string &mode)
    {
        const auto result = runProcess(
            {RAVO2_PROGRAM, "-fp", m_share / folder + "/", "-tt", "подсказка", "-wv", mode}, 60);
        ASSERT_EQ(result.exitCode, 0) << result.output;
    }

    std::uint32_t shown(const std::string &name)
    {
        const auto attributes = m_server.attributesOf(name);
        EXPECT_TRUE(attributes.has_value()) << "allinfo failed for " << name;
        return attributes.value_or(0xFFFF) & kShownBits;
    }
};

} // namespace

TEST_F(SambaDressing, ClientSeesDressingAndItsRemoval)
{
    dress("Фото", "xp");
    dress("Музыка", "9x");
    EXPECT_EQ(shown("Фото"), 0x1u);
    EXPECT_EQ(shown("Фото/desktop.ini"), 0x2u);
    EXPECT_EQ(shown("Музыка"), 0x1u | 0x4u);
    EXPECT_EQ(shown("Музыка/desktop.ini"), 0x2u);

    engine::CustomisationRequest request;
    request.targetFolders = {m_share / "Фото/", m_share / "Музыка/"};
    engine::SystemFolderIo io;
    engine::delicon(request, "1", io);
    EXPECT_EQ(shown("Фото"), 0u);
    EXPECT_EQ(shown("Музыка"), 0u);
    EXPECT_FALSE(m_server.attributesOf("Фото/desktop.ini").has_value());
}
