#include "engine/folderdresser.h"
#include "platform/filesystem.h"
#include "recordingfolderio.h"

#include <gtest/gtest.h>

using engine::CustomisationRequest;
using engine::makeicon;
using Calls = std::vector<std::string>;

namespace
{

// Paths end with the separator, so nothing asks the disk whether they are folders.
std::string folder(char name)
{
    return std::string("/t/") + name + platform::nativeSeparator();
}

// The calls of the given folders, in order: "abc" dresses a, b and c; a capital fails to write.
Calls expectedCalls(const std::string &names, int folderAttributes = 1)
{
    Calls calls{};
    for (char n : names) {
        const char lower = static_cast<char>(std::tolower(n));
        calls.push_back("dress " + folder(lower) + " 2 " + std::to_string(folderAttributes));
        if (n == lower)
            calls.push_back("notify " + folder(n));
    }
    return calls;
}

CustomisationRequest threeFolders()
{
    CustomisationRequest request;
    request.targetFolders = {folder('a'), folder('b'), folder('c')};
    request.selectedFolder = folder('c');
    request.makeIcon = true;
    request.iconPath = "C:\\i.ico";
    return request;
}

} // namespace

TEST(MakeIcon, DressesTheListInOrderOrOnlyItsFirstEntry)
{
    RecordingFolderIo io;
    std::vector<std::size_t> progress;
    const auto result = makeicon(threeFolders(), io, [&](std::size_t done, std::size_t total) {
        progress.push_back(10 * done + total);
        return true;
    });
    EXPECT_EQ(io.calls, expectedCalls("abc"));
    EXPECT_EQ(io.lastBytes, "[.ShellClassInfo]\r\nIconFile=C:\\i.ico\r\nIconIndex=0\r\n");
    EXPECT_EQ(progress, (std::vector<std::size_t>{13, 23, 33}));
    EXPECT_FALSE(result.failed || result.restarted);

    CustomisationRequest first = threeFolders();
    first.onlyFirstFolder = true;
    first.windowsMode = engine::WindowsMode::Nt9x;
    RecordingFolderIo one;
    makeicon(first, one);
    EXPECT_EQ(one.calls, expectedCalls("a", 5));

    first.targetFolders.clear();
    RecordingFolderIo none;
    EXPECT_FALSE(makeicon(first, none).failed);
    EXPECT_TRUE(none.calls.empty());
}

TEST(MakeIcon, AFirstFailureRestartsTheRunOnce)
{
    RecordingFolderIo io;
    io.failingDresses = {2};
    const auto result = makeicon(threeFolders(), io);
    EXPECT_EQ(io.calls, expectedCalls("aBabc"));
    EXPECT_TRUE(result.restarted);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.foldersWritten, 4u);
}

TEST(MakeIcon, ASecondFailureAnywhereEndsTheRunAndIsPassedOn)
{
    RecordingFolderIo io;
    io.failingFolders = {folder('b')};
    io.failureCode = ENOENT;
    const auto result = makeicon(threeFolders(), io);
    EXPECT_EQ(io.calls, expectedCalls("aBaB"));
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.failedFolder, folder('b'));
    EXPECT_EQ(result.failure.message, std::strerror(ENOENT));

    RecordingFolderIo other;
    other.failingDresses = {3, 4};
    EXPECT_EQ(makeicon(threeFolders(), other).failedFolder, folder('a'));
    EXPECT_EQ(other.calls, expectedCalls("abCA"));
}

TEST(MakeIcon, UnwritableValuesAndEmptyEntriesFailWithoutTouchingTheDisk)
{
    CustomisationRequest request = threeFolders();
    request.iconPath = "broken \xFF path";
    RecordingFolderIo io;
    EXPECT_EQ(makeicon(request, io).failure.code, EILSEQ);
    request = threeFolders();
    request.targetFolders = {""};
    EXPECT_EQ(makeicon(request, io).failure.code, ENOENT);
    EXPECT_TRUE(io.calls.empty());
}

TEST(MakeIcon, ACodePageSettingThatIsNoAnsiCodePageIsRefusedByName)
{
    for (const char *value : {"65001", "12345"}) {
#ifdef _WIN32
        _putenv_s("RAVO2_ANSI_CODEPAGE", value);
#else
        setenv("RAVO2_ANSI_CODEPAGE", value, 1);
#endif
        RecordingFolderIo io;
        const auto result = makeicon(threeFolders(), io);
#ifdef _WIN32
        _putenv_s("RAVO2_ANSI_CODEPAGE", "");
#else
        unsetenv("RAVO2_ANSI_CODEPAGE");
#endif
        EXPECT_TRUE(result.failed);
        EXPECT_NE(result.failure.message.find(std::string("RAVO2_ANSI_CODEPAGE=") + value),
                  std::string::npos)
            << result.failure.message;
        EXPECT_TRUE(io.calls.empty());
    }
}

TEST(DelIcon, ScopeChoosesTheFolders)
{
    CustomisationRequest request = threeFolders();
    RecordingFolderIo all;
    engine::delicon(request, "1", all);
    Calls expected;
    for (char n : std::string("abc"))
        expected.insert(expected.end(), {"undress " + folder(n) + " 128", "notify " + folder(n)});
    EXPECT_EQ(all.calls, expected);

    RecordingFolderIo selected;
    engine::delicon(request, "0", selected);
    EXPECT_EQ(selected.calls, Calls(expected.end() - 2, expected.end()));

    request.selectedFolder.clear();
    RecordingFolderIo none;
    for (const char *scope : {"2", "", " 1", "0"})
        engine::delicon(request, scope, none);
    EXPECT_TRUE(none.calls.empty());
}

// A callback that says stop ends the run between two folders; a stop after the last folder
// changes nothing, as nothing is left to stop.
TEST(Progress, AStopEndsTheRunBetweenTwoFolders)
{
    const struct {
        const char *what;
        std::set<int> failingDresses; // a failure restarts makeicon's count
        std::size_t stopAtCall;       // the callback's call, from 1, that says stop
        std::string dressed;          // makeicon's folders, as in expectedCalls
        std::size_t done;
        bool cancelled;
    } cases[] = {
        {"after the first", {}, 1, "a", 1, true},
        {"after the second", {}, 2, "ab", 2, true},
        {"after the last", {}, 3, "abc", 3, false},
        {"in the restarted pass", {2}, 2, "aBa", 1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::size_t calls = 0;
        const engine::ProgressFn stop = [&](std::size_t, std::size_t total) {
            EXPECT_EQ(total, 3u);
            return ++calls < c.stopAtCall;
        };
        RecordingFolderIo io;
        io.failingDresses = c.failingDresses;
        const auto result = makeicon(threeFolders(), io, stop);
        EXPECT_EQ(io.calls, expectedCalls(c.dressed));
        EXPECT_EQ(result.pass.done, c.done);
        EXPECT_EQ(result.pass.total, 3u);
        EXPECT_EQ(result.pass.cancelled, c.cancelled);
        EXPECT_FALSE(result.failed);

        if (!c.failingDresses.empty())
            continue;
        calls = 0;
        RecordingFolderIo removed;
        const engine::PassCount pass = engine::delicon(threeFolders(), "1", removed, stop);
        EXPECT_EQ(removed.calls.size(), 2 * c.done); // undress and notify per folder
        EXPECT_EQ(pass.done, c.done);
        EXPECT_EQ(pass.cancelled, c.cancelled);
    }
}
