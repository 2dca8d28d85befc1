#include "commandlinerun.h"

#include "commandline.h"
#include "folderswitches.h"
#include "messages.h"
#include "startup.h"
#include "sysversion.h"

#include <cerrno>

namespace engine
{
namespace
{

bool isUnsupported(int code)
{
    return code == ENOTSUP || code == EOPNOTSUPP;
}

} // namespace

int runCommandLine(std::string_view commandLine, std::ostream &out, std::ostream &err, FolderIo &io,
                   const RunHooks &hooks)
{
    if (commandLine.empty()) {
        err << helpText();
        return kExitUsage;
    }
    CommandLineRequest parsed = parseCommandLine(commandLine);
    if (parsed.showHelp || parsed.showVersion) {
        out << (parsed.showHelp ? helpText() : versionText() + '\n');
        return kExitSuccess;
    }
    if (!parsed.valid) {
        err << startupFailureMessage(commandLine, Messages::noSwitch()) << '\n';
        return kExitFailure;
    }
    // The window's road checks for another copy when the switches first touch it; so does this.
    if (hooks.mayRun && !hooks.mayRun())
        return kExitFailure;
    if (const auto refused = decodeTextValues(parsed, false)) {
        err << Messages::undecodable(*refused) << '\n';
        return kExitFailure;
    }
    warnAboutLine(parsed, err);
    CustomisationRequest request;
    request.windowsMode = detectedWindowsMode();
    if (parsed.needsNoWindow())
        return runFolderSwitches(commandLine, std::move(parsed), request, out, err, io,
                                 hooks.progress);
    applyCommandLine(std::move(parsed), request);
    if (!request.anythingToMake())
        return kExitSuccess;
    MissingFileCheck check(request, err);
    for (const std::string &folder : request.targetFolders)
        check.check(folder);
    return finishDressing(commandLine, makeicon(request, io, hooks.progress), err);
}

std::optional<std::string> attributeWarning(const MakeIconResult &result)
{
    std::string text;
    if (isUnsupported(result.attributeFailure.code))
        text = Messages::noAttributes(result.attributeFailurePath);
    if (!result.leftoverFailure.ok())
        text += (text.empty() ? "" : "\n") + Messages::warningPrefix() +
                leftoverText(result.leftoverPath, result.leftoverFailure);
    if (text.empty())
        return std::nullopt;
    return text;
}

} // namespace engine
