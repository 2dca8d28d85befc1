#include "childprocess.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "tempfolder.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::readFile;
using platform::SettingsStore;
using testing_support::listFolder;
using testing_support::TempFolder;
using testing_support::writeTextFile;

namespace
{

std::optional<std::string> environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void restore(const char *name, const std::optional<std::string> &value)
{
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

class Settings : public ::testing::Test
{
protected:
    TempFolder m_home;
    std::optional<std::string> m_savedConfig = environment("XDG_CONFIG_HOME");
    std::optional<std::string> m_savedHome = environment("HOME");
    std::string m_folder = m_home / "config/ravo2";
    std::string m_ini = m_folder + "/ravo2.ini";
    SettingsStore m_store{"ravo2"};

    void SetUp() override { setenv("XDG_CONFIG_HOME", (m_home / "config").c_str(), 1); }
    void TearDown() override
    {
        restore("XDG_CONFIG_HOME", m_savedConfig);
        restore("HOME", m_savedHome);
    }
    std::string file() const
    {
        std::string bytes;
        return readFile(m_ini, bytes).ok() ? bytes : "<none>";
    }
    void prepare(const std::string &text)
    {
        mkdir((m_home / "config").c_str(), 0700);
        mkdir(m_folder.c_str(), 0700);
        writeTextFile(m_ini, text);
    }
};

} // namespace

TEST_F(Settings, LocationFollowsXdgConfigHome)
{
    EXPECT_EQ(m_store.location(), m_ini);
    setenv("HOME", m_home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(m_store.location(), m_home / ".config/ravo2/ravo2.ini");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(m_store.location(), m_home / ".config/ravo2/ravo2.ini");
}

TEST_F(Settings, AbsentGivesDefault)
{
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "0");
    prepare("[Other]\ndelall=1\n[Options]\nlanguage=3\n");
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "0");
    EXPECT_EQ(m_store.get("Options", "language", "1"), "3");
    EXPECT_EQ(m_store.get("Missing", "language", "1"), "1");
}

TEST_F(Settings, SaveCreatesFolderAndFileThatReadsBack)
{
    ASSERT_TRUE(m_store.save("Options", "delall", "2").ok());
    EXPECT_EQ(file(), "[Options]\ndelall=2\n");
    ASSERT_TRUE(m_store.save("Options", "language", "4").ok());
    ASSERT_TRUE(m_store.save("Options", "delall", "1").ok());
    EXPECT_EQ(file(), "[Options]\ndelall=1\nlanguage=4\n");
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "1");
    EXPECT_EQ(m_store.get("Options", "language", "1"), "4");
    EXPECT_EQ(listFolder(m_folder), "ravo2.ini") << "no temporary file stays behind";
}

TEST_F(Settings, SaveKeepsEverythingElse)
{
    prepare("; written by hand\n[General]\nx=1\n\n[Options]\nlanguage=2\n\n[Other]\ndelall=9\n");
    ASSERT_TRUE(m_store.save("Options", "delall", "2").ok());
    EXPECT_EQ(file(), "; written by hand\n[General]\nx=1\n\n[Options]\nlanguage=2\ndelall=2\n\n"
                      "[Other]\ndelall=9\n");
    ASSERT_TRUE(m_store.save("Extra", "k", "v").ok());
    EXPECT_EQ(m_store.get("Other", "delall", "0"), "9");
    EXPECT_EQ(m_store.get("Extra", "k", ""), "v");
    EXPECT_EQ(m_store.get("Options", "language", ""), "2");
}

TEST_F(Settings, ValuesAsQSettingsWritesThem)
{
    prepare(
        "[Options]\r\n  language = 3  \r\ntip=\"a, b\"\r\nquote=\"say \\\"hi\\\"\"\r\nempty=\r\n");
    EXPECT_EQ(m_store.get("Options", "language", "1"), "3");
    EXPECT_EQ(m_store.get("Options", "tip", ""), "a, b");
    EXPECT_EQ(m_store.get("Options", "quote", ""), "say \"hi\"");
    EXPECT_EQ(m_store.get("Options", "empty", "d"), "");
    ASSERT_TRUE(m_store.save("Options", "language", "5").ok());
    ASSERT_TRUE(m_store.save("Options", "note", " padded; \\ ").ok());
    EXPECT_EQ(file(), "[Options]\r\nlanguage=5\r\ntip=\"a, b\"\r\nquote=\"say \\\"hi\\\"\"\r\n"
                      "empty=\r\nnote=\" padded; \\\\ \"\r\n");
    EXPECT_EQ(m_store.get("Options", "note", ""), " padded; \\ ");
}

TEST_F(Settings, RefusesWhatWouldDamageTheFile)
{
    prepare("[Options]\ndelall=1\n");
    EXPECT_EQ(m_store.save("Options", "delall", "2\n[Options]\nlanguage=9").code, EINVAL);
    EXPECT_EQ(m_store.save("Options", "a=b", "1").code, EINVAL);
    EXPECT_EQ(m_store.save("Opt]ions", "delall", "1").code, EINVAL);
    EXPECT_EQ(file(), "[Options]\ndelall=1\n");

    ASSERT_EQ(unlink(m_ini.c_str()), 0);
    ASSERT_EQ(mkdir(m_ini.c_str(), 0700), 0);
    EXPECT_FALSE(m_store.save("Options", "delall", "2").ok());
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "0");
}

// Root reads every file, so the unreadable settings file is tried as an ordinary user.
TEST_F(Settings, UnreadableFileIsNeverReplaced)
{
    prepare("[Options]\ndelall=1\nlanguage=3\n");
    const int result = testing_support::runAsOrdinaryUser(
        {m_home.path(), m_home / "config", m_folder, m_ini}, [&] {
            if (chmod(m_ini.c_str(), 0200) != 0)
                return 1;
            const bool refused = m_store.save("Options", "delall", "2").code == EACCES;
            chmod(m_ini.c_str(), 0600);
            return refused && file() == "[Options]\ndelall=1\nlanguage=3\n" ? 0 : 1;
        });
    if (result == 2)
        GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_EQ(result, 0);
}

TEST_F(Settings, LinkedSettingsFileIsWrittenThrough)
{
    const std::string real = m_home / "dotfiles.ini";
    writeTextFile(real, "[Options]\ndelall=1\n");
    prepare("");
    ASSERT_EQ(unlink(m_ini.c_str()), 0);
    ASSERT_EQ(symlink(real.c_str(), m_ini.c_str()), 0);
    ASSERT_TRUE(m_store.save("Options", "delall", "2").ok());
    struct stat info = {};
    ASSERT_EQ(lstat(m_ini.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "2");
}

namespace
{

// What stands in the settings file's place, and whether it is read as settings.
struct PlantedCase {
    const char *what;
    std::function<void(const std::string &path)> plant;
    bool read; // false: ignored with one message, and save() leaves it alone
};

std::string describe(const std::string &path)
{
    struct stat info = {};
    if (lstat(path.c_str(), &info) != 0)
        return "nothing";
    if (S_ISLNK(info.st_mode)) {
        char target[256] = {};
        return "link to " + std::string(target, readlink(path.c_str(), target, sizeof target - 1));
    }
    return (S_ISFIFO(info.st_mode) ? "fifo of " : "file of ") + std::to_string(info.st_size);
}

// In a child with a deadline, since such a file could hang the reader or make it read for ever:
// two reads and a save, standard error into `errors`. Its status: 0 as expected, 1 not, 9 hung.
int plantedRun(SettingsStore &store, bool read, const std::string &errors)
{
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        const std::string expected = read ? "1" : "0";
        const bool got = store.get("Options", "delall", "0") == expected &&
                         store.get("Options", "language", "1") == "1";
        const bool saved = store.save("Options", "delall", "2").ok();
        std::fflush(stderr);
        _exit(got && saved == read ? 0 : 1);
    }
    int status = 0;
    if (!testing_support::waitUntil(pid, status,
                                    std::chrono::steady_clock::now() + std::chrono::seconds(5))) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return 9;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

std::size_t linesIn(const std::string &text)
{
    return std::size_t(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST_F(Settings, OnlyABoundedRegularFileIsRead)
{
    const std::string settings = "[Options]\ndelall=1\n;";
    const auto sized = [&](std::size_t size) {
        return [&settings, size](const std::string &path) {
            writeTextFile(path, settings + std::string(size - settings.size(), 'x'));
        };
    };
    const PlantedCase cases[] = {
        {"a fifo", [](const std::string &path) { mkfifo(path.c_str(), 0600); }, false},
        {"a link to /dev/zero", [](const std::string &path) { symlink("/dev/zero", path.c_str()); },
         false},
        {"a file over 64 KB", sized(64 * 1024 + 1), false},
        {"a file of 64 KB", sized(64 * 1024), true},
    };
    for (const PlantedCase &c : cases) {
        SCOPED_TRACE(c.what);
        prepare("");
        ASSERT_EQ(unlink(m_ini.c_str()), 0);
        c.plant(m_ini);
        const std::string before = describe(m_ini);
        const std::string errors = m_home / "errors.txt";
        EXPECT_EQ(plantedRun(m_store, c.read, errors), 0);
        std::string message;
        readFile(errors, message);
        if (c.read) {
            EXPECT_EQ(message, "");
        } else {
            EXPECT_EQ(linesIn(message), 1u) << message;
            EXPECT_NE(message.find(m_ini), std::string::npos) << message;
            EXPECT_EQ(describe(m_ini), before);
        }
        unlink(m_ini.c_str());
    }
}
