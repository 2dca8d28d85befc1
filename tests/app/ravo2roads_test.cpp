#include "programrun.h"

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
#include <iconv.h>
#include <map>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

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

// Builds a ru_RU.<charset> locale in `folder` for a run; false where the locale data is missing.
bool makeRussianLocale(const fs::path &folder, const std::string &charset)
{
    const fs::path locale = folder / ("ru_RU." + charset);
    fs::create_directories(folder);
    const std::string command =
        "localedef -i ru_RU -f " + charset + " '" + locale.string() + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 || fs::exists(locale / "LC_CTYPE");
}

bool makeCp1251Locale(const fs::path &folder)
{
    return makeRussianLocale(folder, "CP1251");
}

// UTF-8 text in `charset`; empty where iconv cannot convert it.
std::string inCharset(const std::string &text, const char *charset)
{
    const iconv_t cd = iconv_open(charset, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out(text.size() * 4, '\0');
    char *in = const_cast<char *>(text.data()), *next = out.data();
    std::size_t inLeft = text.size(), outLeft = out.size();
    const bool done = iconv(cd, &in, &inLeft, &next, &outLeft) != std::size_t(-1);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return done ? out : std::string();
}

// A fresh folder for one test's runs: a private runtime folder "config/run" and a target "a".
struct TestRoot {
    explicit TestRoot(const std::string &prefix)
        : path(fs::temp_directory_path() / (prefix + std::to_string(std::random_device()())))
    {
        fs::create_directories(path / "config" / "run");
        fs::create_directories(path / "a");
        fs::permissions(path / "config" / "run", fs::perms::owner_all);
    }
    ~TestRoot()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string runtime() const { return (path / "config" / "run").string(); }
    const fs::path path;
};

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
                           // The old file's own line stays ahead of the program's keys.
                           EXPECT_EQ(contentOf(d / "b/desktop.ini"),
                                     kOldIni + *platform::utf8ToCodePage(iniOf(" При"), 1251));
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
    EXPECT_NE(plain.err.find("libc.so"), std::string::npos) << "the loader traced nothing";
    EXPECT_EQ(plain.err.find("libQt"), std::string::npos) << plain.err;
    const Outcome window = runProgram(root, Road::Window, line, traced);
    EXPECT_EQ(window.status, 0);
    EXPECT_NE(window.err.find("libQt6Widgets"), std::string::npos);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

// A display that is named but gone (cron, su, a stale "ssh -X") would make the toolkit abort: a
// line with switches runs without a window and one line says why; an empty line fails.
TEST(Ravo2Roads, ADeadDisplayRunsTheSwitchesWithoutAWindow)
{
    if (fs::exists("/tmp/.X11-unix/X93"))
        GTEST_SKIP() << "an X server answers on :93 here";
    const TestRoot test("ravo2-dead-");
    const fs::path &root = test.path;
    const std::string runtime = test.runtime();
    const std::vector<std::pair<std::string, std::string>> deadOnes{
        {"DISPLAY", ":93"}, {"WAYLAND_DISPLAY", "ravo2-gone"}};
    for (const auto &[name, value] : deadOnes) {
        SCOPED_TRACE(name);
        const Environment environment{{name, value}, {"XDG_RUNTIME_DIR", runtime}};
        const Outcome line = runProgram(root, Road::WithoutWindows,
                                        {"-fp", (root / "a/").string(), "-tt", "x"}, environment);
        EXPECT_EQ(line.status, 0) << line.err;
        EXPECT_NE(line.err.find(name + "=" + value), std::string::npos) << line.err;
        EXPECT_EQ(std::count(line.err.begin(), line.err.end(), '\n'), 1) << line.err;
        EXPECT_NE(contentOf(root / "a/desktop.ini").find("InfoTip= x\r\n"), std::string::npos);
        fs::remove(root / "a/desktop.ini");
        const Outcome empty = runProgram(root, Road::WithoutWindows, {}, environment);
        EXPECT_EQ(empty.status, 1) << empty.err;
        EXPECT_NE(empty.err.find(name + "=" + value), std::string::npos) << empty.err;
    }
}

// Under a legacy locale the help and the messages come in its encoding, the one the line's text
// is read in; a failure's echo of the line and its folder stay as typed.
TEST(Ravo2Roads, MessagesComeInTheLocalesLegacyEncoding)
{
    const TestRoot test("ravo2-koi8-");
    const fs::path &root = test.path;
    if (!makeRussianLocale(root / "locales", "KOI8-R"))
        GTEST_SKIP() << "no ru_RU locale data to build KOI8-R from";
    const Environment koi8{{"LOCPATH", (root / "locales").string()},
                           {"LC_ALL", "ru_RU.KOI8-R"},
                           {"XDG_RUNTIME_DIR", (root / "config" / "run").string()}};
    const std::string folder = (root / inCharset("нет", "KOI8-R")).string() + "/";
    const Outcome failed =
        runProgram(root, Road::WithoutWindows, {"-fp", folder, "-tt", "x"}, koi8);
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, inCharset("была ошибка", "KOI8-R") + "-fp " + folder + " -tt x" +
                              std::strerror(ENOENT) + "\n" + inCharset("папка: ", "KOI8-R") +
                              folder + "\n");
    const Outcome help = runProgram(root, Road::WithoutWindows, {"--help"}, koi8);
    EXPECT_EQ(help.out.rfind(inCharset("Использование: ravo2 [ключи]\n", "KOI8-R"), 0), 0u)
        << help.out;
}

// A root run asks Samba's own testparm about the shares, not the first one a PATH offers.
TEST(Ravo2Roads, ARootRunCallsSambasOwnTestparm)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the rule is root's";
    const TestRoot test("ravo2-path-");
    const fs::path &root = test.path;
    fs::create_directories(root / "bin");
    const fs::path planted = root / "bin" / "testparm", ran = root / "planted-ran";
    std::ofstream(planted) << "#!/bin/sh\ntouch '" << ran.string() << "'\n";
    fs::permissions(planted, fs::perms(0755));
    const char *path = std::getenv("PATH");
    const Environment environment{
        {"PATH", (root / "bin").string() + ":" + (path ? path : "/usr/bin:/bin")}};
    const Outcome o = runProgram(root, Road::WithoutWindows,
                                 {"-fp", (root / "a/").string(), "-ip", "/x/i.ico"}, environment);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_FALSE(fs::exists(ran));
}
