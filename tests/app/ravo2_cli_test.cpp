#include "programrun.h"

#include "platform/attributes.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace
{

class Ravo2Program : public testing::TestWithParam<Road>
{
protected:
    void SetUp() override
    {
        m_root =
            fs::temp_directory_path() / ("ravo2-cli-" + std::to_string(std::random_device()()));
        fs::create_directories(m_root / "config" / "run");
        fs::permissions(m_root / "config" / "run", fs::perms::owner_all);
        // The single-copy name lives here for the test and its children alike.
        setenv("XDG_RUNTIME_DIR", (m_root / "config" / "run").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // Runs the program on the test's road.
    Outcome run(const std::vector<std::string> &args, const Environment &environment = {})
    {
        return runProgram(m_root, GetParam(), args, environment);
    }

    std::string folder(const std::string &name)
    {
        fs::create_directories(m_root / name);
        return (m_root / name).string() + "/";
    }

    fs::path m_root; // the program's working folder; removed after each test
};

} // namespace

TEST_P(Ravo2Program, DressesFoldersWithBlanksDashesAndCyrillic)
{
    const std::string photos = folder("Мои фото"), dashed = folder("my-photos 2");
    // The icon is there for a reader of each folder, so the run has nothing to warn of.
    for (const char *name : {"Мои фото/иконки", "my-photos 2/иконки"})
        std::ofstream(folder(name) + "иконка.ico") << "icon";
    const Outcome o = run({"-fp", photos, "-fp", dashed, "-ip", "иконки/иконка.ico", "-ii", "3",
                           "-tt", "Отпуск", "-wv", "9x"});
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(o.out.empty() && o.err.empty()) << o.err;
    const auto expected = platform::utf8ToCodePage(
        "[.ShellClassInfo]\r\nIconFile=иконки\\иконка.ico\r\nIconIndex= 3 \r\nInfoTip= Отпуск \r\n",
        1251);
    const bool attributesKept = platform::setFileAttributes((m_root / "config").string(), 2).ok();
    for (const std::string &f : {photos, dashed}) {
        EXPECT_EQ(contentOf(f + "desktop.ini"), expected.value_or("?")) << f;
        if (attributesKept) {
            EXPECT_EQ(platform::getFileAttributes(f + "desktop.ini"), platform::kAttrHidden);
            EXPECT_EQ(platform::getFileAttributes(f), 0x15u);
        }
    }
}

TEST_P(Ravo2Program, ExitStatusesAndMessages)
{
    const std::string a = folder("a"), c = folder("c");
    const std::string quoted = "\"" + a + "\"";
    const Outcome q = run({"-fp", quoted, "-tt", "x"});
    EXPECT_EQ(q.status, 1);
    EXPECT_EQ(q.err, "была ошибка-fp " + quoted + " -tt x" + std::strerror(ENOENT) +
                         "\nfolder: " + quoted + "\n");

    const std::string missing = (m_root / "missing").string() + "/";
    const Outcome m = run({"-fp", a, "-fp", missing, "-fp", c, "-pp", "/p.bmp", "-tc", "orange"});
    EXPECT_EQ(m.status, 1);
    EXPECT_TRUE(m.err.ends_with(std::string(std::strerror(ENOENT)) + "\nfolder: " + missing + "\n"))
        << m.err;
    EXPECT_TRUE(contentOf(a + "desktop.ini").ends_with("IconArea_Text=33023\r\n"));
    EXPECT_FALSE(fs::exists(c + "desktop.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_root), fs::directory_iterator()), 3);

    EXPECT_EQ(run({"C:\\folder"}).status, 1);
    EXPECT_EQ(run({"--version"}).out, "ravo2 2.0.35\n");
}

// Debian's smb.conf shares each user's home as [homes]: a folder there whose icon lies outside it.
TEST_P(Ravo2Program, FoldersWhoseShareLacksTheIconAreDressedWithOneWarningEach)
{
    std::string configuration;
    if (FILE *testparm = popen("testparm -s 2>/dev/null", "r")) {
        char buffer[4096];
        for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, testparm)) > 0;)
            configuration.append(buffer, got);
        pclose(testparm);
    }
    if (configuration.find("[homes]") == std::string::npos)
        GTEST_SKIP() << "Samba's configuration has no [homes] share here";
    const std::string home = folder("home"), photos = folder("home/Фото"),
                      music = folder("home/Музыка");
    const std::string icon = folder("icons") + "i.ico";
    std::ofstream(icon) << "icon";
    const Outcome o = run({"-fp", photos, "-fp", music, "-ip", icon}, {{"HOME", home}});
    EXPECT_EQ(o.status, 0) << o.err;
    for (const std::string &f : {photos, music}) {
        EXPECT_NE(contentOf(f + "desktop.ini").find("IconFile=..\\..\\icons\\i.ico\r\n"),
                  std::string::npos);
        const std::size_t named = o.err.find(f);
        EXPECT_NE(named, std::string::npos) << o.err;
        EXPECT_EQ(o.err.find(f, named + 1), std::string::npos) << o.err;
    }
    EXPECT_NE(o.err.find("[homes]"), std::string::npos) << o.err;
}

INSTANTIATE_TEST_SUITE_P(BothRoads, Ravo2Program,
                         testing::Values(Road::WithoutWindows, Road::Window), roadName);
