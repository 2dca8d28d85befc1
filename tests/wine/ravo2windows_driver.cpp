// Plays a user at ravo2.exe's windows from another process, through the windows' own messages:
// folders chosen with the picker, the icon from a file and from a library, the info tip, the
// background and its colour, apply, read back, remove with the remove choice, options, the folder
// list, the about box and a language file. Prints one line per check ("ok" or "FAIL").
//   ravo2windows_driver RAVO2EXE WORKFOLDER REVISION BROWSER [SHOTFOLDER]
// WORKFOLDER holds run\ (the program's current folder, with its language files), pics\folder.ico,
// pics\sky.bmp and the empty folders a\ and b\. BROWSER 1: the component is registered and its
// browser is played too. The desktop.ini files written are copied to written\<case>.ini and their
// requests listed in written\requests.txt for the comparison with the Linux build; many\0 ...
// many\1499 make a run long enough to show its progress.
#include "ravo2flows.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace
{

// The program's settings from an earlier run would change what the windows start with.
void forgetSettings()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, flows::kSettingsKey);
}

// Wine draws the windows' frames itself when no window manager runs: the pictures show captions.
class WineFrames
{
public:
    WineFrames()
    {
        DWORD size = sizeof(m_old);
        m_had = RegGetValueW(HKEY_CURRENT_USER, kKey, L"Decorated", RRF_RT_REG_SZ, nullptr, m_old,
                             &size) == ERROR_SUCCESS;
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated", REG_SZ, L"N", 4);
    }
    ~WineFrames()
    {
        if (m_had)
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated", REG_SZ, m_old,
                            DWORD((wcslen(m_old) + 1) * sizeof(wchar_t)));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Decorated");
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\X11 Driver";
    bool m_had = false;
    wchar_t m_old[16] = L"";
};

} // namespace

int main()
{
    int count = 0;
    wchar_t **args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 5) {
        std::puts("usage: ravo2windows_driver RAVO2EXE WORKFOLDER REVISION BROWSER [SHOTFOLDER]");
        return 2;
    }
    const std::wstring work = args[2];
    forgetSettings();
    const WineFrames frames;
    CreateDirectoryW((work + L"\\written").c_str(), nullptr);
    Ravo2Session session(args[1], work, count > 5 ? args[5] : L"");
    if (!session.start())
        return 1;
    flows::Flows flows(session, args[3], std::wstring(args[4]) == L"1");
    const std::function<void()> steps[] = {
        [&] { flows.startState(); },
        [&] { flows.fieldsTickTheirBoxes(); },
        [&] { flows.chooseFolders(); },
        [&] { flows.iconFileTipPictureColour(); },
        [&] { flows.apply("file", session.path(L"pics\\folder.ico"), false); },
        [&] { flows.readBack(); },
        [&] { flows.missingIconAsksAndChooses(); },
        [&] { flows.folderList(); },
        [&] { flows.aboutBox(); },
        [&] { flows.iconLibraryLayout(); },
        [&] { flows.options9x(); },
        [&] { flows.apply("library", flows::kLibrary, true); },
        [&] { flows.removeChoice(); },
        [&] { flows.progressAndClear(); },
        [&] { flows.singleCopy(); },
        [&] { flows.language(); },
    };
    for (const auto &step : steps) {
        step();
        session.closeStray();
    }
    session.stop();
    LocalFree(args);
    std::printf("%d failures\n", session.failures());
    return session.failures() == 0 ? 0 : 1;
}
