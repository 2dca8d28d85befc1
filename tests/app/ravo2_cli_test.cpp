#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string contentOf(const fs::path &path)
{
    std::string bytes;
    return platform::readFile(path.string(), bytes).ok() ? bytes : "<unreadable>";
}

class Ravo2Program : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root =
            fs::temp_directory_path() / ("ravo2-cli-" + std::to_string(std::random_device()()));
        fs::create_directories(m_root / "config");
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // Runs the program in the temporary folder with Windows-1251 as its code page, its own
    // settings store and no display.
    Outcome run(const std::vector<std::string> &args, const std::string &home = {})
    {
        const fs::path outFile = m_root / "stdout", errFile = m_root / "stderr";
        const pid_t child = fork();
        if (child == 0) {
            dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            dup2(open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            setenv("RAVO2_ANSI_CODEPAGE", "1251", 1);
            setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            if (!home.empty())
                setenv("HOME", home.c_str(), 1);
            std::vector<char *> argv{const_cast<char *>(RAVO2_PROGRAM)};
            for (const std::string &arg : args)
                argv.push_back(const_cast<char *>(arg.c_str()));
            argv.push_back(nullptr);
            if (chdir(m_root.c_str()) == 0)
                execv(RAVO2_PROGRAM, argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, contentOf(outFile),
                        contentOf(errFile)};
        fs::remove(outFile);
        fs::remove(errFile);
        return outcome;
    }

    std::string folder(const std::string &name)
    {
        fs::create_directories(m_root / name);
        return (m_root / name).string() + "/";
    }

    fs::path m_root; // the program's working folder; removed after each test
};

} // namespace

TEST_F(Ravo2Program, DressesFoldersWithBlanksDashesAndCyrillic)
{
    const std::string photos = folder("Мои фото"), dashed = folder("my-photos 2");
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

TEST_F(Ravo2Program, ExitStatusesAndMessages)
{
    const std::string a = folder("a"), c = folder("c");
    const std::string quoted = "\"" + a + "\"";
    const Outcome q = run({"-fp", quoted, "-tt", "x"});
    EXPECT_EQ(q.status, 1);
    EXPECT_EQ(q.err, "была ошибка-fp " + quoted + " -tt x" + std::strerror(ENOENT) + "\n");

    const std::string missing = (m_root / "missing").string() + "/";
    const Outcome m = run({"-fp", a, "-fp", missing, "-fp", c, "-pp", "/p.bmp", "-tc", "orange"});
    EXPECT_EQ(m.status, 1);
    EXPECT_TRUE(m.err.ends_with(std::string(std::strerror(ENOENT)) + "\n")) << m.err;
    EXPECT_TRUE(contentOf(a + "desktop.ini").ends_with("IconArea_Text=33023\r\n"));
    EXPECT_FALSE(fs::exists(c + "desktop.ini"));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_root), fs::directory_iterator()), 3);

    EXPECT_EQ(run({"C:\\folder"}).status, 1);
    EXPECT_EQ(run({"--version"}).out, "ravo2 2.0.35\n");
}

// Debian's smb.conf shares each user's home as [homes]: a folder there whose icon lies outside it.
TEST_F(Ravo2Program, FoldersWhoseShareLacksTheIconAreDressedWithOneWarningEach)
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
    const Outcome o = run({"-fp", photos, "-fp", music, "-ip", icon}, home);
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
