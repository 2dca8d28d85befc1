#include "engine/commandline.h"
#include "engine/commandlinerun.h"
#include "engine/messages.h"
#include "engine/progressline.h"
#include "engine/startup.h"
#include "platform/filesystem.h"
#include "recordingfolderio.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace
{

const std::string kSep(1, platform::nativeSeparator());
const std::string kTwoFolders = "-fp /a" + kSep + " -fp /b" + kSep + " -ip i.ico";

// Runs the line over `io`; the exit status, then what went to standard output and error.
std::tuple<int, std::string, std::string> run(const std::string &line, RecordingFolderIo &io)
{
    std::ostringstream out, err;
    const int status = engine::runCommandLine(line, out, err, io);
    return {status, out.str(), err.str()};
}

} // namespace

TEST(CommandLineRun, LinesWithoutWorkTouchNoFolder)
{
    RecordingFolderIo io;
    EXPECT_EQ(run("", io), std::make_tuple(engine::kExitUsage, "", engine::helpText()));
    EXPECT_EQ(run("--help", io), std::make_tuple(0, engine::helpText(), ""));
    EXPECT_EQ(run("C:\\f", io),
              std::make_tuple(engine::kExitFailure, "",
                              "была ошибкаC:\\f" + engine::Messages::noSwitch() + "\n"));
    EXPECT_EQ(run("-fp /a/ -tc red -wv 9x", io), std::make_tuple(0, "", ""));
    // Values no folder could take are refused before any is touched.
    EXPECT_EQ(
        run("-fp -fp /a/ -tt x", io),
        std::make_tuple(engine::kExitFailure, "", engine::Messages::emptyValue("-fp") + "\n"));
    EXPECT_EQ(run("-fp /a/ -tt x\ny", io),
              std::make_tuple(engine::kExitFailure, "", engine::Messages::lineBreak("-tt") + "\n"));
    EXPECT_EQ(run("-fp /a/ -ip C:\\i\r.ico", io),
              std::make_tuple(engine::kExitFailure, "", engine::Messages::lineBreak("-ip") + "\n"));
    EXPECT_TRUE(io.calls.empty());
}

TEST(CommandLineRun, DressesSilentlyOrPassesTheFailureOn)
{
    RecordingFolderIo io;
    EXPECT_EQ(run(kTwoFolders + " -wv 9x", io), std::make_tuple(0, "", ""));
    EXPECT_EQ(io.calls.size(), 4u);
    EXPECT_EQ(io.calls[0], "dress /a" + kSep + " 2 5");
    io.failingFolders = {"/b" + kSep};
    const std::string message = "была ошибка" + kTwoFolders + std::strerror(EACCES) + "\n" +
                                engine::Messages::failedFolder("/b" + kSep) + "\n";
    EXPECT_EQ(run(kTwoFolders, io), std::make_tuple(engine::kExitFailure, "", message));
}

TEST(CommandLineRun, WarnsWhenTheFileSystemKeepsNoAttributes)
{
    RecordingFolderIo io;
    io.attributeError = ENOTSUP;
    EXPECT_EQ(std::get<2>(run(kTwoFolders, io)),
              engine::Messages::noAttributes("/a" + kSep + "desktop.ini") + "\n");
    io.attributeError = EPERM;
    EXPECT_EQ(run(kTwoFolders, io), std::make_tuple(0, "", ""));
    EXPECT_EQ(io.calls.size(), 8u); // failing attribute calls stopped neither run
}

TEST(CommandLineRun, HelpInsideALineIsAValueAndTheLineIsDressed)
{
    RecordingFolderIo io;
    const std::string warning =
        engine::Messages::warningPrefix() + engine::Messages::unknownSwitch("--help") + "\n";
    EXPECT_EQ(run("-fp /a" + kSep + " -tt see --help", io), std::make_tuple(0, "", warning));
    EXPECT_EQ(io.calls.at(0).rfind("dress /a" + kSep + " 2 ", 0), 0u) << io.calls.at(0);
}

TEST(CommandLineRun, FailureMessageShortensALongLineAndNamesTheFolder)
{
    const std::string ascii(1000, 'x'), cyrillic = std::string(999, 'x') + "ЖЖ";
    struct Case {
        std::string line, folder, expected;
    };
    for (const Case &c : {
             Case{"-fp /a/", "", "была ошибка-fp /a/E"},
             Case{ascii, "/f/",
                  "была ошибка" + ascii + "E\n" + engine::Messages::failedFolder("/f/")},
             Case{ascii + "y", "", "была ошибка" + ascii + "…E"},
             Case{cyrillic, "", "была ошибка" + std::string(999, 'x') + "Ж…E"},
         }) {
        EXPECT_EQ(engine::startupFailureMessage(c.line, "E", c.folder), c.expected)
            << c.line.size();
    }
}

TEST(CommandLineRun, ProgressLineWaitsASecondRedrawsRarelyAndIsErased)
{
    using namespace std::chrono_literals;
    std::chrono::steady_clock::time_point now{};
    std::ostringstream terminal;
    {
        engine::ProgressLine line(terminal, [&now] { return now; });
        const engine::ProgressFn progress = line.callback();
        progress(1, 300);
        now += 999ms;
        progress(2, 300);
        EXPECT_EQ(terminal.str(), ""); // a run shorter than a second shows nothing
        now += 1ms;
        progress(3, 300);
        now += 50ms;
        progress(4, 300); // too soon after the last one
        now += 100ms;
        progress(5, 300);
        EXPECT_EQ(terminal.str(), "\r" + engine::Messages::progress(3, 300) + "\r" +
                                      engine::Messages::progress(5, 300));
        now += 100ms;
        terminal.str("");
        progress(1, 300); // a restarted run counts again, on a line of its own after the note
        const std::string erased =
            "\r" + std::string(engine::Messages::progress(5, 300).size(), ' ');
        EXPECT_EQ(terminal.str(), erased + "\r" + engine::Messages::restarting() + "\n\r" +
                                      engine::Messages::progress(1, 300));
        terminal.str("");
    }
    const std::size_t width = engine::Messages::progress(1, 300).size();
    EXPECT_EQ(terminal.str(), "\r" + std::string(width, ' ') + "\r");
}

// On a terminal the failure message and the restart's note never run on from the progress line.
TEST(CommandLineRun, MessagesStartOnAnErasedProgressLine)
{
    using namespace std::chrono_literals;
    std::chrono::steady_clock::time_point now{};
    std::ostringstream out, terminal;
    engine::ProgressLine line(terminal, [&now] { return now += 2s; });
    engine::RunHooks hooks;
    hooks.progress = line.callback();
    hooks.beforeMessages = [&line] { line.erase(); };
    RecordingFolderIo io;
    io.failingFolders = {"/b" + kSep};
    ASSERT_EQ(engine::runCommandLine(kTwoFolders, out, terminal, io, hooks), engine::kExitFailure);
    const std::string drawn = "\r" + engine::Messages::progress(1, 2);
    const std::string erased = "\r" + std::string(drawn.size() - 1, ' ') + "\r";
    const std::string message = "была ошибка" + kTwoFolders + std::strerror(EACCES) + "\n" +
                                engine::Messages::failedFolder("/b" + kSep) + "\n";
    EXPECT_EQ(terminal.str(),
              drawn + erased + engine::Messages::restarting() + "\n" + drawn + erased + message);
}

#if !defined(_WIN32) // Windows goes by the user's display language, not by these variables
namespace
{

// Sets or, for nullptr, removes an environment variable of this process.
void setVariable(const char *name, const char *value)
{
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

} // namespace

TEST(CommandLineRun, MessagesAreRussianOnlyForARussianLocale)
{
    struct Case {
        const char *all, *messages, *lang;
        bool russian;
    };
    for (const Case &c :
         {Case{nullptr, nullptr, nullptr, false}, Case{nullptr, nullptr, "ru_RU.UTF-8", true},
          Case{"", "", "ru_RU.KOI8-R", true}, Case{nullptr, "C", "ru_RU.UTF-8", false},
          Case{"en_GB.UTF-8", "ru_RU", "ru_RU", false}, Case{"ru_UA", nullptr, "de_DE", true},
          Case{nullptr, nullptr, "rue_SK", false}}) {
        const std::pair<const char *, const char *> variables[] = {
            {"LC_ALL", c.all}, {"LC_MESSAGES", c.messages}, {"LANG", c.lang}};
        for (const auto &[name, value] : variables)
            setVariable(name, value);
        EXPECT_EQ(engine::Messages::russian(), c.russian) << (c.lang ? c.lang : "-");
        EXPECT_EQ(engine::Messages::help().starts_with("Использование"), c.russian);
    }
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        setVariable(name, nullptr);
}
#endif
