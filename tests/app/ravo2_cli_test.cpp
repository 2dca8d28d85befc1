#include "engine/utf8.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"
#include "platform/singlecopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sys/stat.h>
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

// The program's two roads: without a display it runs on the engine alone; with one (here Qt's
// offscreen platform) the main window takes the switches.
enum class Road { WithoutWindows, Window };

std::string roadName(const testing::TestParamInfo<Road> &info)
{
    return info.param == Road::Window ? "Window" : "WithoutWindows";
}

using Environment = std::map<std::string, std::string>;

// Runs the program in `root` with Windows-1251 as its code page, its own settings store, no
// locale but the one given, and a display only on the window's road.
Outcome runProgram(const fs::path &root, Road road, const std::vector<std::string> &args,
                   const Environment &environment)
{
    const fs::path outFile = root / "stdout", errFile = root / "stderr";
    const pid_t child = fork();
    if (child == 0) {
        dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        setenv("RAVO2_ANSI_CODEPAGE", "1251", 1);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LC_ALL",
                                 "LC_MESSAGES", "LC_CTYPE"})
            unsetenv(name);
        if (road == Road::Window)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        for (const auto &[name, value] : environment)
            setenv(name.c_str(), value.c_str(), 1);
        std::vector<char *> argv{const_cast<char *>(RAVO2_PROGRAM)};
        for (const std::string &arg : args)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        if (chdir(root.c_str()) == 0)
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

namespace
{

// Every entry under `dir`: its kind and mode, its attributes and, for a file, its bytes' digest.
std::string snapshot(const fs::path &dir)
{
    std::vector<std::string> lines;
    for (const auto &entry : fs::recursive_directory_iterator(dir)) {
        struct stat info {
        };
        lstat(entry.path().c_str(), &info);
        std::string line = entry.path().lexically_relative(dir).string() + " mode " +
                           std::to_string(info.st_mode) + " attr " +
                           std::to_string(platform::getFileAttributes(entry.path().string()));
        if (S_ISREG(info.st_mode)) {
            const std::string bytes = contentOf(entry.path());
            line += " size " + std::to_string(bytes.size()) + " digest " +
                    std::to_string(std::hash<std::string>()(bytes));
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    std::string joined;
    for (const std::string &line : lines)
        joined += line + "\n";
    return joined;
}

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

const std::string kOldIni = "old\r\n";

// A million characters with a pair of surrogates across Qt's old 32,767-character limit, given
// as ten arguments (one argument may not pass 128 KB).
std::vector<std::string> millionCharacterTip()
{
    std::vector<std::string> pieces(10, std::string(99999, 'x'));
    pieces[0].replace(32766, 1, "😀");
    return pieces;
}

// Builds a ru_RU.CP1251 locale in `folder` for a run; false where the locale data is missing.
bool makeCp1251Locale(const fs::path &folder)
{
    const std::string command =
        "localedef -i ru_RU -f CP1251 '" + (folder / "ru_RU.CP1251").string() + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 || fs::exists(folder / "ru_RU.CP1251" / "LC_CTYPE");
}

struct RoadCase {
    const char *what;
    std::vector<std::string> args;                     // "{d}" stands for the road's own folder
    int status;                                        // on both roads
    std::function<void(const fs::path &d)> check = {}; // after the run without windows
    Environment environment = {};
    bool holdName = false; // another copy holds the single-copy name, and only one may run
    std::optional<int> windowStatus = {}; // where the window must differ: it holds only text
};

} // namespace

// The same lines through both roads leave the same files, attributes, statuses and messages.
TEST(Ravo2Roads, SameLinesGiveTheSameResultOnBothRoads)
{
    const fs::path root =
        fs::temp_directory_path() / ("ravo2-roads-" + std::to_string(std::random_device()()));
    fs::create_directories(root / "config" / "run");
    fs::permissions(root / "config" / "run", fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (root / "config" / "run").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    const bool cp1251 = makeCp1251Locale(root / "locales");
    std::vector<std::string> tipLine{"-fp", "{d}/a/", "-tt"};
    const std::vector<std::string> tip = millionCharacterTip();
    tipLine.insert(tipLine.end(), tip.begin(), tip.end());
    std::string tipText;
    for (const std::string &piece : tip)
        tipText += " " + piece;
    const auto iniOf = [](const std::string &infoTip) {
        return "[.ShellClassInfo]\r\nIconFile=\r\nIconIndex=0\r\nInfoTip=" + infoTip + "\r\n";
    };
    const std::vector<RoadCase> cases{
        {"a folder without its separator is dressed inside",
         {"-fp", "{d}/a", "-tt", "x"},
         0,
         [&](const fs::path &d) {
             EXPECT_EQ(contentOf(d / "a/desktop.ini"),
                       *platform::utf8ToCodePage(iniOf(" x"), 1251));
         }},
        {"a missing folder fails and nothing lands beside it",
         {"-fp", "{d}/missing", "-tt", "x"},
         1,
         [](const fs::path &d) { EXPECT_FALSE(fs::exists(d / "missingdesktop.ini")); }},
        {"a file named as a folder is never touched",
         {"-fp", "{d}/notes.txt", "-tt", "x"},
         1,
         [](const fs::path &d) {
             EXPECT_FALSE(fs::exists(d / "notes.txtdesktop.ini"));
             EXPECT_EQ(fs::status(d / "notes.txt").permissions(), fs::perms(0644));
         }},
        {"a folder cut at \" -\" names a file: never touched",
         {"-fp", "{d}/report", "-final/", "-tt", "x"},
         1,
         [](const fs::path &d) {
             EXPECT_EQ(fs::status(d / "report").permissions(), fs::perms(0644));
         }},
        {"a million characters are written whole", tipLine, 0,
         [&](const fs::path &d) {
             EXPECT_EQ(contentOf(d / "a/desktop.ini"),
                       "\xFF\xFE" + engine::utf8::toUtf16Le(iniOf(tipText)).value_or("?"));
         }},
        {"Qt's own switches are values like any other",
         {"-fp", "{d}/a/", "-tt", "x", "-platform", "nowhere", "-display", ":99", "-style", "y",
          "-reverse", "-qwindowgeometry", "1x1"},
         0,
         [](const fs::path &d) { EXPECT_TRUE(fs::exists(d / "a/desktop.ini")); }},
        {"--help inside a line is text",
         {"-fp", "{d}/a/", "-tt", "see", "--help"},
         0,
         [&](const fs::path &d) { EXPECT_EQ(contentOf(d / "a/desktop.ini"), iniOf(" see ")); }},
        {"text that is not UTF-8 is refused, the old file kept",
         {"-fp", "{d}/b/", "-tt", "\xFF"},
         1,
         [](const fs::path &d) { EXPECT_EQ(contentOf(d / "b/desktop.ini"), kOldIni); }},
        {"another copy runs and only one may",
         {"-fp", "{d}/a/", "-tt", "x"},
         1,
         [](const fs::path &d) { EXPECT_FALSE(fs::exists(d / "a/desktop.ini")); },
         {},
         true},
        {"a folder name that is not UTF-8 is its bytes, never its twin's",
         {"-fp", "{d}/d\xFF/", "-tt", "x"},
         0,
         [](const fs::path &d) {
             EXPECT_TRUE(fs::exists(d / "d\xFF/desktop.ini"));
             EXPECT_FALSE(fs::exists(d / "d\uFFFD/desktop.ini"));
         },
         {},
         false,
         1},
    };
    std::vector<RoadCase> all = cases;
    if (cp1251) {
        all.push_back({"text in the locale's legacy encoding is decoded",
                       {"-fp", "{d}/b/", "-tt", "\xCF\xF0\xE8"},
                       0,
                       [&](const fs::path &d) {
                           EXPECT_EQ(contentOf(d / "b/desktop.ini"),
                                     *platform::utf8ToCodePage(iniOf(" При"), 1251));
                       },
                       {{"LOCPATH", (root / "locales").string()}, {"LC_ALL", "ru_RU.CP1251"}}});
    }
    for (const RoadCase &c : all) {
        std::map<Road, std::pair<std::string, std::string>> seen; // snapshot and messages
        for (Road road : {Road::WithoutWindows, Road::Window}) {
            const fs::path d = root / (road == Road::Window ? "w" : "q");
            fs::remove_all(d);
            fs::create_directories(d / "a");
            fs::create_directories(d / "b");
            fs::create_directories(d / "d\xFF");
            fs::create_directories(d / "d\uFFFD");
            std::ofstream(d / "b/desktop.ini") << kOldIni;
            std::ofstream(d / "notes.txt") << "notes";
            std::ofstream(d / "report") << "report";
            for (const fs::path &file : {d / "notes.txt", d / "report"})
                fs::permissions(file, fs::perms(0644));
            platform::SettingsStore("ravo2").save("Options", "startnewcopyofravo",
                                                  c.holdName ? "1" : "0");
            platform::SingleCopyName name(platform::SettingsStore("ravo2").location());
            if (c.holdName) {
                ASSERT_EQ(name.claim(), platform::SingleCopyName::Claim::First);
            }
            std::vector<std::string> args;
            for (const std::string &arg : c.args)
                args.push_back(replaced(arg, "{d}", d.string()));
            const Outcome o = runProgram(root, road, args, c.environment);
            EXPECT_EQ(o.status, road == Road::Window ? c.windowStatus.value_or(c.status) : c.status)
                << c.what << (road == Road::Window ? " (window)" : "") << "\n"
                << o.err;
            if (road == Road::WithoutWindows && c.check)
                c.check(d);
            seen[road] = {snapshot(d), replaced(o.err, d.string(), "{d}")};
        }
        if (c.windowStatus)
            continue;
        EXPECT_EQ(seen[Road::WithoutWindows].first, seen[Road::Window].first) << c.what;
        EXPECT_EQ(seen[Road::WithoutWindows].second, seen[Road::Window].second) << c.what;
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

// Without a display no toolkit library is loaded at all; the window's road loads Qt's.
TEST(Ravo2Roads, NoToolkitIsLoadedWithoutADisplay)
{
    const fs::path root =
        fs::temp_directory_path() / ("ravo2-libs-" + std::to_string(std::random_device()()));
    fs::create_directories(root / "config" / "run");
    fs::create_directories(root / "a");
    fs::permissions(root / "config" / "run", fs::perms::owner_all);
    const Environment traced{{"LD_DEBUG", "libs"},
                             {"XDG_RUNTIME_DIR", (root / "config" / "run").string()}};
    const std::vector<std::string> line{"-fp", (root / "a").string(), "-tt", "x"};
    const Outcome plain = runProgram(root, Road::WithoutWindows, line, traced);
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.err.find("libstdc++"), std::string::npos) << "the loader traced nothing";
    EXPECT_EQ(plain.err.find("libQt"), std::string::npos) << plain.err;
    const Outcome window = runProgram(root, Road::Window, line, traced);
    EXPECT_EQ(window.status, 0);
    EXPECT_NE(window.err.find("libQt6Widgets"), std::string::npos);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}
