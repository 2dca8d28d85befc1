#include "app/frontend.h"
#include "app/localeoutput.h"
#include "engine/commandline.h"
#include "engine/commandlinerun.h"
#include "engine/messages.h"
#include "engine/progressline.h"
#include "engine/settings.h"
#include "platform/console.h"
#include "platform/display.h"
#include "platform/processcommandline.h"
#include "platform/settingsstore.h"
#include "platform/singlecopy.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace
{

// The road without windows: engine and platform alone, no toolkit loaded. It claims the same
// single-copy name as the window, and refuses to run beside a copy when the option says so.
int runWithoutWindows(const std::string &commandLine)
{
    platform::SingleCopyName name(platform::SettingsStore("ravo2").location());
    engine::RunHooks hooks;
    hooks.mayRun = [&name] {
        if (name.claim() != platform::SingleCopyName::Claim::Later ||
            !engine::Settings().startNewCopyOfRavo())
            return true;
        std::cerr << "Программа уже запущена." << '\n';
        name.askToActivate();
        return false;
    };
    std::unique_ptr<engine::ProgressLine> progress;
    if (platform::standardErrorIsTerminal()) {
        progress = std::make_unique<engine::ProgressLine>(std::cerr);
        hooks.progress = progress->callback();
        hooks.beforeMessages = [&progress] { progress->erase(); };
    }
    engine::SystemFolderIo io;
    const int status = engine::runCommandLine(commandLine, std::cout, std::cerr, io, hooks);
    progress.reset(); // the line is erased before the process ends
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    platform::ConsoleSession console; // the parent's console on Windows, whose program has none
    const std::string commandLine = platform::processCommandLine(argc, argv);
    const engine::CommandLineRequest parsed = engine::parseCommandLine(commandLine);
    // JSON Lines are UTF-8 whatever the locale: what -ls prints is not converted.
    std::optional<LocaleOutput> out;
    if (!parsed.listDressing)
        out.emplace(std::cout);
    const LocaleOutput err(std::cerr);
    // Lists, going on, looking and removing are the administrator's road: never a window.
    if (commandLine == "--help" || commandLine == "--version" || parsed.needsNoWindow())
        return runWithoutWindows(commandLine);
    // The one place that decides between the windows and the switches alone.
    FrontEnd windows;
    const std::string deadDisplay =
        windows.available() ? platform::unreachableDisplay() : std::string();
    if (!deadDisplay.empty()) {
        // The toolkit would abort on it: the switches run without a window instead.
        std::cerr << engine::Messages::deadDisplay(deadDisplay, !commandLine.empty()) << '\n';
        if (commandLine.empty())
            return engine::kExitFailure;
    } else if (windows.available()) {
        if (windows.load())
            return windows.run(argc, argv);
        std::cerr << engine::Messages::windowsMissing(windows.error()) << '\n';
        if (commandLine.empty())
            return engine::kExitFailure;
        // The switches still run, without a window to show them in.
    } else if (commandLine.empty()) {
        std::cerr << windows.unavailableMessage() << engine::Messages::help();
        return engine::kExitUsage;
    }
    return runWithoutWindows(commandLine);
}
