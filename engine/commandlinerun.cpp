#include "commandlinerun.h"

#include "commandline.h"
#include "startup.h"
#include "sysversion.h"

#include <cerrno>

namespace engine
{
namespace
{

constexpr const char *kNoSwitch = "в командной строке нет ни одного ключа";

bool isUnsupported(int code)
{
    return code == ENOTSUP || code == EOPNOTSUPP;
}

} // namespace

int runCommandLine(std::string_view commandLine, std::ostream &out, std::ostream &err, FolderIo &io)
{
    if (commandLine.empty()) {
        err << helpText();
        return kExitUsage;
    }
    const CommandLineRequest parsed = parseCommandLine(commandLine);
    if (parsed.showHelp || parsed.showVersion) {
        out << (parsed.showHelp ? helpText() : versionText() + '\n');
        return kExitSuccess;
    }
    if (!parsed.valid) {
        err << startupFailureMessage(commandLine, kNoSwitch) << '\n';
        return kExitFailure;
    }
    CustomisationRequest request;
    request.windowsMode = detectedWindowsMode();
    applyCommandLine(parsed, request);
    if (!request.anythingToMake())
        return kExitSuccess;
    const MakeIconResult result = makeicon(request, io);
    if (result.failed) {
        err << startupFailureMessage(commandLine, result.failure.message) << '\n';
        return kExitFailure;
    }
    if (auto warning = attributeWarning(result))
        err << *warning << '\n';
    for (const std::string &warning : result.pathWarnings)
        err << kWarningPrefix << warning << '\n';
    return kExitSuccess;
}

std::optional<std::string> attributeWarning(const MakeIconResult &result)
{
    std::string text;
    if (isUnsupported(result.attributeFailure.code))
        text = std::string(kWarningPrefix) + "файловая система не хранит атрибуты (user xattr): " +
               result.attributeFailurePath;
    if (!result.leftoverFailure.ok())
        text += (text.empty() ? "" : "\n") + std::string(kWarningPrefix) +
                leftoverText(result.leftoverPath, result.leftoverFailure);
    if (text.empty())
        return std::nullopt;
    return text;
}

} // namespace engine
