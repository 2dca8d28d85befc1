// folderprobe: dresses, undresses and reports folders through the engine, built for Linux and for
// Windows alike so that each build can check what the other left on disk.
//   folderprobe dress FOLDER xp|9x ICONPATH INDEX INFOTIP [PICTURE COLOUR]
//   folderprobe remove FOLDER
//   folderprobe show FOLDER     prints folder=0x.. file=0x.. icon= index= tip= (UTF-8)
#include "engine/desktopinireader.h"
#include "engine/folderdresser.h"
#include "engine/folderpaths.h"
#include "platform/attributes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace
{

// The arguments as UTF-8: main's argv on Windows is in the ANSI code page and loses characters.
std::vector<std::string> arguments(int argc, char **argv)
{
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(std::size_t(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
        result.push_back(text);
    }
    LocalFree(wide);
    return result;
#else
    return std::vector<std::string>(argv, argv + argc);
#endif
}

int dress(const std::vector<std::string> &args)
{
    engine::CustomisationRequest request;
    request.targetFolders = {args[2]};
    request.windowsMode = args[3] == "9x" ? engine::WindowsMode::Nt9x : engine::WindowsMode::Xp;
    request.makeIcon = true;
    request.iconPath = args[4];
    request.iconIndex = args[5];
    request.makeInfoTip = true;
    request.infoTip = args[6];
    if (args.size() == 9) { // a background picture and the name colour, decimal 0x00BBGGRR
        request.makeBackground = true;
        request.picturePath = args[7];
        request.nameColour = std::uint32_t(std::stoul(args[8]));
    }
    engine::SystemFolderIo io;
    const engine::MakeIconResult result = engine::makeicon(request, io);
    if (result.failed)
        std::fprintf(stderr, "failed: %s\n", result.failure.message.c_str());
    if (!result.attributeFailure.ok())
        std::fprintf(stderr, "attributes: %s\n", result.attributeFailure.message.c_str());
    return result.failed || !result.attributeFailure.ok() ? 1 : 0;
}

int remove(const std::vector<std::string> &args)
{
    engine::CustomisationRequest request;
    request.selectedFolder = args[2];
    engine::SystemFolderIo io;
    engine::delicon(request, "0", io);
    return 0;
}

int show(const std::vector<std::string> &args)
{
    const std::string &folder = args[2];
    const engine::FolderIniOutcome read = engine::readfolderini(folder, "0");
    std::printf("folder=0x%x\nfile=0x%x\nicon=%s\nindex=%s\ntip=%s\n",
                unsigned(platform::getFileAttributes(folder)),
                unsigned(platform::getFileAttributes(engine::desktopIniPath(folder))),
                read.iconPath.value_or("-").c_str(), read.iconIndex.value_or("-").c_str(),
                read.infoTip.value_or("-").c_str());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args = arguments(argc, argv);
    if ((args.size() == 7 || args.size() == 9) && args[1] == "dress")
        return dress(args);
    if (args.size() == 3 && args[1] == "remove")
        return remove(args);
    if (args.size() == 3 && args[1] == "show")
        return show(args);
    std::fprintf(stderr, "usage: folderprobe dress FOLDER xp|9x ICON INDEX TIP [PICTURE COLOUR] | "
                         "remove FOLDER | show FOLDER\n");
    return 2;
}
