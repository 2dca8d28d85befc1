// The built program killed in the middle of a long run, and two copies started at the same time.
#include "childprocess.h"
#include "faultfolders.h"
#include "tempfolder.h"

#include "engine/commandline.h"
#include "engine/desktopiniwriter.h"
#include "platform/attributes.h"
#include "platform/settingsstore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using faults::FaultFolders;
using testing_support::TempFolder;
using namespace std::chrono_literals;

namespace
{

constexpr unsigned kCodePage = 1252;

// Environment of every run: no display, settings and code page of the test's own.
void setRunEnvironment(const std::string &configHome)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    setenv("RAVO2_ANSI_CODEPAGE", std::to_string(kCodePage).c_str(), 1);
}

// Starts the program with `arguments`; its output goes to `outputFile`.
pid_t startProgram(const std::vector<std::string> &arguments, const std::string &outputFile)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const int out = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    std::vector<char *> argv{const_cast<char *>(RAVO2_PROGRAM)};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    execv(RAVO2_PROGRAM, argv.data());
    _exit(127);
}

// Polls until `done` holds; false at the deadline.
bool waitFor(const std::function<bool()> &done, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

bool exited(pid_t pid, int &status)
{
    return waitpid(pid, &status, WNOHANG) == pid;
}

void stop(pid_t pid)
{
    int status = 0;
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
}

// The bytes the program writes for these switches, from the engine it is built on.
std::string newBytesFor(const std::vector<std::string> &arguments)
{
    std::string line;
    for (const std::string &argument : arguments)
        line += (line.empty() ? "" : " ") + argument;
    engine::CustomisationRequest request;
    engine::applyCommandLine(engine::parseCommandLine(line), request);
    return *engine::DesktopIniWriter::bytes(request, kCodePage);
}

} // namespace

TEST(ProgramFaults, KilledDuringTenThousandFoldersLeavesEveryFileWhole)
{
    TempFolder tmp;
    setRunEnvironment(tmp / "config");
    constexpr std::size_t kFolders = 10000;
    FaultFolders folders(tmp / "targets", kFolders, std::vector<bool>(kFolders, true));
    std::vector<std::string> arguments;
    for (const std::string &folder : folders.paths())
        arguments.insert(arguments.end(), {"-fp", folder});
    arguments.insert(arguments.end(), {"-ip", "C:\\new\\icon.ico", "-tt", "new tip"});
    const std::string newBytes = newBytesFor(arguments);

    const pid_t pid = startProgram(arguments, tmp / "output.txt");
    ASSERT_GT(pid, 0);
    int status = 0;
    bool finishedFirst = false;
    // Folders are dressed in list order: once the 500th is new the run is well under way.
    const bool underWay = waitFor(
        [&] {
            finishedFirst = exited(pid, status);
            return finishedFirst || folders.state(500, newBytes) == FaultFolders::State::New;
        },
        120s);
    if (!finishedFirst)
        stop(pid);
    ASSERT_TRUE(underWay) << "the program wrote nothing in two minutes";
    ASSERT_FALSE(finishedFirst) << "the program ended (status " << status
                                << ") before it could be killed: "
                                << faults::fileBytes(tmp / "output.txt");

    // Only the file being written when the kill came may have left its temporary copy.
    EXPECT_EQ(folders.check(newBytes, 1), "");
    const auto states = folders.states(newBytes);
    EXPECT_GT(std::count(states.begin(), states.end(), FaultFolders::State::New), 500);
    EXPECT_GT(std::count(states.begin(), states.end(), FaultFolders::State::Old), 0)
        << "the run was over before the kill: nothing was interrupted";
    // A new file has its hidden attribute before it takes its name.
    std::size_t unhidden = 0;
    for (std::size_t i = 0; i < folders.count(); ++i) {
        if (states[i] == FaultFolders::State::New &&
            !(platform::getFileAttributes(folders.iniPath(i)) & platform::kAttrHidden))
            ++unhidden;
    }
    EXPECT_EQ(unhidden, 0u);
}

TEST(ProgramFaults, TwoCopiesStartedAtOnceOnlyOneRuns)
{
    TempFolder tmp;
    setRunEnvironment(tmp / "config");
    ASSERT_TRUE(platform::SettingsStore("ravo2").save("Options", "startnewcopyofravo", "1").ok());
    // Each round starts both copies within a millisecond of each other.
    for (int round = 0; round < 3; ++round) {
        const std::string outputs[2] = {tmp / "first.txt", tmp / "second.txt"};
        const pid_t pids[2] = {startProgram({}, outputs[0]), startProgram({}, outputs[1])};
        int status = 0;
        int refused = -1;
        waitFor(
            [&] {
                for (int i : {0, 1}) {
                    if (refused < 0 && exited(pids[i], status))
                        refused = i;
                }
                return refused >= 0;
            },
            30s);
        if (refused < 0) {
            stop(pids[0]);
            stop(pids[1]);
            FAIL() << "round " << round << ": both copies are running";
        }
        const int running = 1 - refused;
        std::this_thread::sleep_for(300ms);
        int otherStatus = 0;
        const bool otherEnded = exited(pids[running], otherStatus);
        if (!otherEnded)
            stop(pids[running]);
        EXPECT_FALSE(otherEnded) << "round " << round
                                 << ": no copy is running: " << faults::fileBytes(outputs[running]);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0)
            << "round " << round << ": the refused copy did not fail";
        EXPECT_NE(faults::fileBytes(outputs[refused]).find("Программа уже запущена."),
                  std::string::npos)
            << faults::fileBytes(outputs[refused]);
    }
}
