#include "commandlinerun.h"

#include "commandline.h"
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

// Why a value cannot be used in any folder, said before a folder is touched; nullopt when none.
std::optional<std::string> refusedValue(const CommandLineRequest &parsed)
{
    for (const std::string &folder : parsed.folders) {
        if (folder.empty())
            return Messages::emptyValue("-fp");
    }
    const std::pair<const char *, const std::optional<std::string> *> written[] = {
        {"-ip", &parsed.iconPath},
        {"-ii", &parsed.iconIndex},
        {"-tt", &parsed.infoTip},
        {"-pp", &parsed.picturePath},
    };
    for (const auto &[name, value] : written) {
        if (*value && (*value)->find_first_of("\r\n") != std::string::npos)
            return Messages::lineBreak(name);
    }
    return std::nullopt;
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
    const auto refused = refusedValue(parsed);
    CustomisationRequest request;
    request.windowsMode = detectedWindowsMode();
    applyCommandLine(std::move(parsed), request);
    if (!request.anythingToMake())
        return kExitSuccess;
    if (refused) {
        err << *refused << '\n';
        return kExitFailure;
    }
    const MakeIconResult result = makeicon(request, io, hooks.progress);
    if (hooks.beforeMessages)
        hooks.beforeMessages();
    if (result.failed) {
        err << startupFailureMessage(commandLine, result.failure.message, result.failedFolder)
            << '\n';
        return kExitFailure;
    }
    if (auto warning = attributeWarning(result))
        err << *warning << '\n';
    for (const std::string &warning : result.pathWarnings)
        err << Messages::warningPrefix() << warning << '\n';
    return kExitSuccess;
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
