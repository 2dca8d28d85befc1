#include "folderpaths.h"

#include "platform/attributes.h"
#include "platform/filesystem.h"

namespace engine
{
namespace
{

bool endsWithSeparator(const std::string &folder)
{
    if (folder.empty())
        return false;
    const char last = folder.back();
    // Windows takes '/' as well as '\\'; elsewhere '\\' is an ordinary character of a name.
    return last == platform::nativeSeparator() ||
           (platform::nativeSeparator() == '\\' && last == '/');
}

} // namespace

std::string desktopIniPath(const std::string &folder)
{
    if (!endsWithSeparator(folder))
        return folder + platform::nativeSeparator() + kDesktopIni;
    return folder + kDesktopIni;
}

bool fileexists(const std::string &path)
{
    return !path.empty() && platform::getFileAttributes(path) != platform::kInvalidAttributes;
}

} // namespace engine
