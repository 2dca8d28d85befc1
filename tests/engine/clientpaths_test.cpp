#include "engine/clientpaths.h"
#include "engine/sambashares.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using engine::ClientPaths;
using engine::SambaShares;

namespace
{

const ClientPaths kTranslating(true, "/home/u", {"/nowhere/wine/x86_64-windows"});

struct Translation {
    const char *folder;   // where desktop.ini lies
    const char *chosen;   // the path the user gave
    const char *written;  // what the file says
    const char *readBack; // what reading the file puts into the field
};

} // namespace

TEST(ClientPaths, ValuesAreWrittenForTheFoldersReaderAndReadBackToTheSameBytes)
{
    const Translation table[] = {
        {"/srv/share/Photos", "/srv/share/icons/photos.ico", "..\\icons\\photos.ico",
         "/srv/share/icons/photos.ico"},
        {"/srv/share/Photos", "/srv/share/Photos/photos.ico", "photos.ico",
         "/srv/share/Photos/photos.ico"},
        {"/srv/share/Photos/", "/srv/share//Photos/sub/../x/./a.ico", "x\\a.ico",
         "/srv/share/Photos/x/a.ico"},
        {"/srv/share/A/B", "/srv/other/i.ico", "..\\..\\..\\other\\i.ico", "/srv/other/i.ico"},
        {"Photos", "/home/u/icons/i.ico", "..\\icons\\i.ico", "/home/u/icons/i.ico"},
        {"/", "/a.ico", "a.ico", "/a.ico"},
        {"/srv/Фото", "/srv/Фото/Иконки/п.ico", "Иконки\\п.ico", "/srv/Фото/Иконки/п.ico"},
        {"/srv/share/Photos", "  /srv/share/Photos/a.ico ", "  a.ico ",
         "  /srv/share/Photos/a.ico "},
        {"/srv/share/Photos", "icons/a.ico", "icons\\a.ico", "/srv/share/Photos/icons/a.ico"},
        {"/srv/share/Photos", "C:/Icons/a.ico", "C:\\Icons\\a.ico", "C:\\Icons\\a.ico"},
        {"/srv/share/Photos", "\\\\server\\share\\a.ico", "\\\\server\\share\\a.ico",
         "\\\\server\\share\\a.ico"},
        {"/srv/share/Photos", "\\icons\\a.ico", "\\icons\\a.ico", "\\icons\\a.ico"},
        {"/srv/share/Photos", "%ProgramFiles%/App/app.exe", "%ProgramFiles%\\App\\app.exe",
         "%ProgramFiles%\\App\\app.exe"},
        {"/srv/share/Photos", "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll",
         "%SystemRoot%\\system32\\shell32.dll", "%SystemRoot%\\system32\\shell32.dll"},
        {"/srv/share/Photos", "/home/u/.wine/drive_c/windows/system32/moricons.dll",
         "%SystemRoot%\\system32\\moricons.dll", "%SystemRoot%\\system32\\moricons.dll"},
        // Wine's own programs are not Windows': the client has no copy of them.
        {"/srv/share", "/usr/lib/wine/i386-windows/winemine.exe",
         "..\\..\\usr\\lib\\wine\\i386-windows\\winemine.exe",
         "/usr/lib/wine/i386-windows/winemine.exe"},
        {"/srv/share/Photos", "", "", ""},
        {"/srv/share/Photos", "   ", "   ", "   "},
    };
    for (const Translation &row : table) {
        SCOPED_TRACE(std::string(row.folder) + " <- " + row.chosen);
        const std::string written = kTranslating.written(row.chosen, row.folder);
        EXPECT_EQ(written, row.written);
        const std::string readBack = kTranslating.local(written, row.folder);
        EXPECT_EQ(readBack, row.readBack);
        EXPECT_EQ(kTranslating.written(readBack, row.folder), written);
    }
}

TEST(ClientPaths, WhatNeedsNoTranslationIsKeptAsItStands)
{
    // The Windows build writes and reads every path as chosen.
    const ClientPaths asChosen(false, {}, {});
    EXPECT_EQ(asChosen.written("/srv/share/icons/a.ico", "/srv/share/Photos"),
              "/srv/share/icons/a.ico");
    EXPECT_EQ(asChosen.local("..\\icons\\a.ico", "/srv/share/Photos"), "..\\icons\\a.ico");
    // Files that older runs wrote with absolute local paths read as they are.
    EXPECT_EQ(kTranslating.local("/srv/icons/a.ico", "/srv/share"), "/srv/icons/a.ico");
    // A Windows library that Wine lacks stays in its Windows form.
    EXPECT_EQ(kTranslating.local("%SystemRoot%\\system32\\imageres.dll", "/srv"),
              "%SystemRoot%\\system32\\imageres.dll");
}

TEST(ClientPaths, WindowsLibrariesAreReadFromTheWineInstallation)
{
    namespace fs = std::filesystem;
    const fs::path wine =
        fs::temp_directory_path() / ("ravo2-wine-" + std::to_string(std::random_device()()));
    const fs::path system = wine / "wine" / "x86_64-windows";
    fs::create_directories(system);
    std::ofstream(system / "shell32.dll") << "MZ";
    const std::string folder = system.generic_string();
    if (!folder.starts_with('/')) {
        fs::remove_all(wine);
        GTEST_SKIP() << "the Windows build keeps Windows paths";
    }
    const ClientPaths paths(true, "/", {"/nowhere", folder});
    EXPECT_EQ(paths.local(" %systemroot%\\System32\\SHELL32.DLL", "/srv"),
              " " + folder + "/shell32.dll");
    EXPECT_EQ(paths.written(folder + "/shell32.dll", "/srv"),
              "%SystemRoot%\\system32\\shell32.dll");
    fs::remove_all(wine);
}

TEST(SambaShares, AFolderInAShareWarnsOfAFileItsClientsCannotReach)
{
    const char *configuration = "# Global parameters\n[global]\n\tpath = /\n\tserver role = "
                                "standalone server\n\n[homes]\n\tbrowseable = No\n\n"
                                "[printers]\n\tpath = /var/tmp\n\tprintable = Yes\n\n"
                                "[share]\n\tpath = /srv/share/\n\tread only = No\n\n"
                                "[inner]\n\tpath = /srv/share/Photos/inner\n\n"
                                "[users]\n\tpath = /home/%U\n";
    const SambaShares shares = SambaShares::parse(configuration, "/home/u");
    struct Case {
        const char *folder;
        const char *file;
        std::optional<std::string> share;
    } cases[] = {
        {"/srv/share/Photos", "/srv/share/icons/a.ico", std::nullopt},
        {"/srv/share/Photos", "/srv/other/a.ico", "share"},
        {"/srv/share/Photos", "/srv/shared/a.ico", "share"},
        {"/srv/shared/Photos", "/etc/a.ico", std::nullopt}, // no client sees the folder
        {"/srv/share/Photos/inner/x", "/srv/share/icons/a.ico", std::nullopt},
        {"/srv/share/Photos/inner/x", "/srv/a.ico", "share"},
        {"/home/u/Pictures", "/usr/share/icons/a.ico", "homes"},
        {"/home/v/Pictures", "/usr/share/icons/a.ico", std::nullopt},
        {"/var/tmp/x", "/etc/a.ico", std::nullopt}, // printers share no folders
    };
    for (const Case &c : cases)
        EXPECT_EQ(shares.unreachableFrom(c.folder, c.file), c.share) << c.folder << " " << c.file;
}

// A share's own settings, else the global ones, decide; [homes] stands for every listed home.
TEST(SambaShares, SettingsThatHideTheDressingNameTheirShare)
{
    const char *configuration = "[global]\n\tstore dos attributes = No\n\tveto files = /*.tmp/\n"
                                "[kept]\n\tpath = /srv/kept\n\tstore dos attributes = yes\n"
                                "\tea support = no\n\thide files = /desktop.ini/\n"
                                "[inis]\n\tpath = /srv/inis\n\tstore dos attributes = Yes\n"
                                "\tveto files = /.*/*.INI/\n"
                                "[tdb]\n\tpath = /srv/tdb\n\tstore dos attributes = yes\n"
                                "\tvfs objects = acl_xattr xattr_tdb\n"
                                "[homes]\n\tveto files = /desktop.ini/\n";
    const SambaShares shares = SambaShares::parse(configuration, [] {
        return std::vector<std::string>{"/home/u", "/home/v"};
    });
    const struct {
        const char *folder;
        std::string warned; // the share and its settings, or empty
    } cases[] = {
        {"/srv/kept/a", ""},
        {"/srv/other", ""},
        {"/srv/inis/a", "[inis] (veto files = /.*/*.INI/)"},
        {"/srv/tdb/a", "[tdb] (vfs objects = acl_xattr xattr_tdb)"},
        {"/home/v/Pictures", "[homes] (veto files = /desktop.ini/; store dos attributes = no)"},
    };
    for (const auto &c : cases) {
        const auto warnings = shares.ruleWarnings(c.folder);
        std::string warned;
        for (const auto &[share, text] : warnings)
            warned += "[" + share + "] " +
                      text.substr(text.find('('), text.find(')') + 1 - text.find('('));
        EXPECT_EQ(warned, c.warned) << c.folder;
    }
    EXPECT_EQ(SambaShares::parse("[global]\n\tstore dos attributes = no\n[a]\n\tpath = /a\n", "/h")
                  .ruleWarnings("/a/b")
                  .size(),
              1u)
        << "the global setting stands where the share has none";
}
