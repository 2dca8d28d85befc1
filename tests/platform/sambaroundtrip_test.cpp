#include "platform/attributes.h"
#include "sambaserver.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

using namespace platform;
using testing_support::SambaServer;
using testing_support::TempFolder;
using testing_support::writeTextFile;

namespace
{

constexpr std::uint32_t kShownBits = kAttrReadOnly | kAttrHidden | kAttrSystem;

std::string storedBytes(const std::string &path)
{
    char buffer[256];
    const ssize_t size = getxattr(path.c_str(), "user.DOSATTRIB", buffer, sizeof buffer);
    return size < 0 ? std::string() : std::string(buffer, std::size_t(size));
}

class SambaRoundTrip : public ::testing::Test
{
protected:
    TempFolder m_share;
    SambaServer m_server;
    const std::string m_folderName = "Папка";
    std::string m_folder = m_share / m_folderName;
    std::string m_file = m_folder + "/desktop.ini";

    void SetUp() override
    {
        if (const std::string reason = SambaServer::unavailableReason(); !reason.empty())
            GTEST_SKIP() << reason;
        ASSERT_EQ(mkdir(m_folder.c_str(), 0755), 0);
        writeTextFile(m_file, "[.ShellClassInfo]\r\n");
        const std::string error = m_server.start(m_share.path());
        ASSERT_EQ(error, "");
    }

    // The R, H and S bits that Samba shows for a name in the share.
    std::uint32_t shown(const std::string &name)
    {
        const auto attributes = m_server.attributesOf(name);
        EXPECT_TRUE(attributes.has_value()) << "allinfo failed for " << name;
        return attributes.value_or(0xFFFF) & kShownBits;
    }
};

} // namespace

TEST_F(SambaRoundTrip, SambaShowsWhatWeStore)
{
    const std::string iniName = m_folderName + "/desktop.ini";
    ASSERT_TRUE(setFileAttributes(m_folder, kAttrReadOnly).ok());
    EXPECT_EQ(shown(m_folderName), kAttrReadOnly);
    ASSERT_TRUE(setFileAttributes(m_folder, kAttrReadOnly | kAttrSystem).ok());
    EXPECT_EQ(shown(m_folderName), kAttrReadOnly | kAttrSystem);
    ASSERT_TRUE(setFileAttributes(m_file, kAttrHidden).ok());
    EXPECT_EQ(shown(iniName), kAttrHidden);

    ASSERT_TRUE(setFileAttributes(m_folder, kAttrNormal).ok());
    ASSERT_TRUE(setFileAttributes(m_file, kAttrNormal).ok());
    EXPECT_EQ(shown(m_folderName), 0u);
    EXPECT_EQ(shown(iniName), 0u);
}

TEST_F(SambaRoundTrip, WeReadWhatSambaStores)
{
    std::string output;
    ASSERT_EQ(m_server.client("setmode \"" + m_folderName + "\" +rs; setmode \"" + m_folderName +
                                  "/desktop.ini\" +h",
                              output),
              0)
        << output;
    const std::string blob = storedBytes(m_folder);
    ASSERT_EQ(blob.size(), 24u) << "Samba did not store its binary form";
    EXPECT_EQ(blob[0], '\0');
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory | kAttrReadOnly | kAttrSystem);
    EXPECT_EQ(getFileAttributes(m_file), kAttrHidden);

    ASSERT_EQ(m_server.client("setmode \"" + m_folderName + "\" -rs", output), 0) << output;
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory);

    // Samba's record stays one: its creation time is not ours to drop.
    ASSERT_TRUE(setFileAttributes(m_folder, kAttrHidden).ok());
    ASSERT_EQ(storedBytes(m_folder).size(), 24u);
    EXPECT_EQ(storedBytes(m_folder).substr(16), blob.substr(16)) << "the creation time";
    EXPECT_EQ(shown(m_folderName), kAttrHidden);
}
