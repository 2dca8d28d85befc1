// Folders dressed by the ravo2 program on the Linux side, seen by a Windows client through Samba.

#include "childprocess.h"
#include "engine/desktopinireader.h"
#include "engine/folderdresser.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "sambaserver.h"
#include "tempfolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

using testing_support::runProcess;
using testing_support::SambaServer;
using testing_support::TempFolder;
using testing_support::writeTextFile;

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

    // The bytes of a file of the share, fetched over SMB; "<missing>" when smbclient fails.
    std::string fetched(const std::string &name)
    {
        const std::string local = m_config / "fetched";
        std::string output, bytes;
        if (m_server.client("get \"" + name + "\" \"" + local + "\"", output) != 0 ||
            !platform::readFile(local, bytes).ok())
            return "<missing>";
        std::remove(local.c_str());
        return bytes;
    }

    // The value of `key` in a folder's desktop.ini as a client of the share reads it: the
    // blanks that the command line leaves around a value are trimmed.
    std::string clientValue(const std::string &folder, const std::string &key)
    {
        const std::string bytes = fetched(folder + "/desktop.ini");
        for (const std::string &line :
             engine::DesktopIniReader::lines(bytes, platform::ansiCodePage())) {
            if (!line.starts_with(key + "="))
                continue;
            const std::size_t first = line.find_first_not_of(' ', key.size() + 1);
            const std::size_t last = line.find_last_not_of(' ');
            return first == std::string::npos ? "" : line.substr(first, last - first + 1);
        }
        return "<no " + key + " in " + bytes + ">";
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

// The file that a Windows client opens for a value of a folder's desktop.ini: the value taken
// relative to the folder, "." and ".." resolved by name, as the client resolves them.
static std::string resolvedByClient(const std::string &folder, const std::string &value)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : folder + "\\" + value + "\\") {
        if (c != '\\' && c != '/') {
            part += c;
            continue;
        }
        if (part == ".." && !parts.empty())
            parts.pop_back();
        else if (!part.empty() && part != "." && part != "..")
            parts.push_back(part);
        part.clear();
    }
    std::string path;
    for (const std::string &each : parts)
        path += (path.empty() ? "" : "/") + each;
    return path;
}

TEST_F(SambaDressing, ClientOpensTheIconAndThePictureThatTheFileNames)
{
    for (const char *name : {"icons", "Фото/Лето", "Музыка/фон"})
        std::filesystem::create_directories(m_share / name);
    // Each folder has one file elsewhere in the share and one inside itself.
    const struct {
        std::string folder, icon, picture;
    } dressings[] = {
        {"Фото", "icons/фото.ico", "Фото/Лето/фон.bmp"},
        {"Музыка", "Музыка/папка.ico", "icons/../Фото/Лето/фон.bmp"},
    };
    writeTextFile(m_share / "icons/фото.ico", std::string("icon one\0\1", 11));
    writeTextFile(m_share / "Музыка/папка.ico", std::string("icon two\0\2", 11));
    writeTextFile(m_share / "Фото/Лето/фон.bmp", std::string("BM picture\0", 11));
    for (const auto &d : dressings) {
        const auto result = runProcess({RAVO2_PROGRAM, "-fp", m_share / d.folder + "/", "-ip",
                                        m_share / d.icon, "-pp", m_share / d.picture},
                                       60);
        ASSERT_EQ(result.exitCode, 0) << result.output;
        const std::string icon = clientValue(d.folder, "IconFile");
        const std::string picture = clientValue(d.folder, "IconArea_Image");
        EXPECT_EQ(icon.find('/'), std::string::npos) << icon;
        EXPECT_EQ(fetched(resolvedByClient(d.folder, icon)), fetched(d.icon)) << icon;
        EXPECT_EQ(fetched(resolvedByClient(d.folder, picture)), fetched("Фото/Лето/фон.bmp"))
            << picture;
    }
    EXPECT_EQ(fetched("icons/фото.ico"), std::string("icon one\0\1", 11));
}

TEST_F(SambaDressing, AFileOutsideTheShareIsWrittenWithOneWarningNamingTheFolder)
{
    TempFolder outside;
    writeTextFile(outside / "чужая.ico", "icon");
    engine::CustomisationRequest request;
    request.targetFolders = {m_share / "Фото/", m_share / "Музыка/"};
    request.makeIcon = request.makeBackground = true;
    request.iconPath = outside / "чужая.ico";
    request.picturePath = outside / "чужая.ico";
    engine::SystemFolderIo io;
    const auto testparm = [&]() -> std::optional<std::string> {
        const auto result = runProcess({"testparm", "-s", m_server.configFile()}, 30);
        return result.exitCode == 0 ? std::optional(result.output) : std::nullopt;
    };
    const engine::MakeIconResult result = engine::makeicon(request, io, {}, testparm);
    ASSERT_FALSE(result.failed) << result.failure.message;
    ASSERT_EQ(result.pathWarnings.size(), 2u);
    EXPECT_NE(result.pathWarnings[0].find(m_share / "Фото/"), std::string::npos);
    EXPECT_NE(result.pathWarnings[0].find("[share]"), std::string::npos) << result.pathWarnings[0];
    EXPECT_NE(clientValue("Фото", "IconFile").find("чужая.ico"), std::string::npos);
}

// What Windows itself does to a customised folder: R (or S) is added, the rest stays, and so do
// the creation time and the other fields of Samba's own record.
TEST_F(SambaDressing, BitsAndCreationTimeAClientSetSurviveDressingAndRemoval)
{
    const auto createTime = [&](const std::string &name) {
        std::string output;
        m_server.client("allinfo \"" + name + "\"", output);
        const std::size_t line = output.find("create_time:");
        return line == std::string::npos ? output
                                         : output.substr(line, output.find('\n', line) - line);
    };
    std::string output;
    ASSERT_EQ(m_server.client("setmode \"Фото\" +h; utimes \"Фото\" 2001:02:03-04:05:06 -1 -1 -1",
                              output),
              0)
        << output;
    ASSERT_NE(createTime("Фото").find("2001"), std::string::npos) << createTime("Фото");
    dress("Фото", "9x");
    EXPECT_EQ(shown("Фото"), 0x1u | 0x2u | 0x4u);
    EXPECT_NE(createTime("Фото").find("2001"), std::string::npos) << createTime("Фото");

    engine::CustomisationRequest request;
    request.selectedFolder = m_share / "Фото/";
    engine::SystemFolderIo io;
    engine::delicon(request, "0", io);
    EXPECT_EQ(shown("Фото"), 0x2u);
    EXPECT_NE(createTime("Фото").find("2001"), std::string::npos) << createTime("Фото");
}

// Each share whose settings hide the dressing from its clients is named once per run, found
// through SMB_CONF_PATH as Samba's own tools find it; the next run reads testparm's output back
// from the cache until the configuration changes.
TEST_F(SambaDressing, ShareRulesThatHideTheDressingAreWarnedOfOncePerShare)
{
    m_server.stop();
    TempFolder vetoed, tdb;
    for (const std::string &folder : {vetoed / "a", vetoed / "b", tdb / "c"})
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string shares = "[vetoed]\npath = " + vetoed.path() +
                               "\nguest ok = yes\nveto files = /*.tmp/Desktop.ini/\n"
                               "[tdb]\npath = " +
                               tdb.path() + "\nguest ok = yes\nvfs objects = xattr_tdb\n";
    ASSERT_EQ(m_server.start(m_share.path(), shares), "");
    // A configuration written a moment ago is not cached yet (it may change again unseen).
    const timespec old[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, m_server.configFile().c_str(), old, 0), 0);
    setenv("SMB_CONF_PATH", m_server.configFile().c_str(), 1);
    setenv("XDG_CACHE_HOME", (m_config / "cache").c_str(), 1);
    const auto run = [&](const std::string &path) {
        const auto result =
            runProcess({"/usr/bin/env", "PATH=" + path, RAVO2_PROGRAM, "-fp", vetoed / "a/", "-fp",
                        vetoed / "b/", "-fp", tdb / "c/", "-fp", m_share / "Фото/", "-tt", "x"},
                       60);
        EXPECT_EQ(result.exitCode, 0) << result.output;
        return result.output;
    };
    const auto count = [](const std::string &text, const std::string &part) {
        std::size_t found = 0;
        for (std::size_t at = text.find(part); at != std::string::npos;
             at = text.find(part, at + 1))
            ++found;
        return found;
    };
    const std::string path = std::getenv("PATH");
    for (const std::string &output : {run(path), run("/nowhere")}) {
        EXPECT_EQ(count(output, "[vetoed]"), 1u) << output;
        EXPECT_EQ(count(output, "[tdb]"), 1u) << output;
        EXPECT_EQ(count(output, "[share]"), 0u) << output;
        EXPECT_NE(output.find("veto files = /*.tmp/Desktop.ini/"), std::string::npos) << output;
        EXPECT_NE(output.find("vfs objects = xattr_tdb"), std::string::npos) << output;
    }
    std::ofstream(m_server.configFile(), std::ios::app) << "store dos attributes = no\n";
    EXPECT_EQ(count(run(path), "store dos attributes = no"), 1u) << "the [tdb] section changed";
    unsetenv("SMB_CONF_PATH");
    unsetenv("XDG_CACHE_HOME");
    for (const std::string &folder : {vetoed / "a", tdb / "c"})
        EXPECT_TRUE(std::filesystem::exists(folder + "/desktop.ini")) << folder;
}
