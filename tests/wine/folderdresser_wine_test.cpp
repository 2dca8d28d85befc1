#include "engine/desktopinireader.h"
#include "engine/folderdresser.h"
#include "engine/sysversion.h"
#include "platform/attributes.h"
#include "winfiles.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace engine;

namespace
{

constexpr std::uint32_t kShellBits =
    platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem;

const std::string kGreek = "\xCE\xA6\xCE\xAC\xCE\xBA\xCE\xB5\xCE\xBB\xCE\xBF\xCF\x82"; // Φάκελος
const std::string kJapanese = "\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xAB\xE3\x83\x80"; // フォルダ

// The folder bits Wine can keep: it drops read-only on folders, so compare hidden and system.
std::uint32_t folderBits(const std::string &folder)
{
    const std::uint32_t mask =
        winfiles::runningUnderWine() ? kShellBits & ~platform::kAttrReadOnly : kShellBits;
    return winfiles::attributes(folder) & mask;
}

std::uint32_t expectedFolderBits(std::uint32_t value)
{
    return winfiles::runningUnderWine() ? value & ~platform::kAttrReadOnly : value;
}

CustomisationRequest requestFor(const std::vector<std::string> &folders)
{
    CustomisationRequest request;
    request.targetFolders = folders;
    request.makeIcon = true;
    request.iconPath = "C:\\Windows\\system32\\shell32.dll";
    request.iconIndex = "4";
    request.makeInfoTip = true;
    request.infoTip = "tip";
    return request;
}

} // namespace

TEST(FolderDresserWine, DressesFoldersWhoseNamesLeaveTheAnsiCodePage)
{
    winfiles::TempFolder temp;
    std::vector<std::string> folders;
    for (const std::string &name : {std::string("plain"), kGreek, kJapanese}) {
        folders.push_back(temp / name + "\\");
        winfiles::makeFolder(folders.back());
        winfiles::setAttributes(folders.back(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    }
    CustomisationRequest request = requestFor(folders);
    request.windowsMode = WindowsMode::Nt9x;
    request.infoTip = kGreek;              // fits no ANSI code page of the Latin or Cyrillic kind
    request.iconPath = "иконки/папка.ico"; // Windows reads it as chosen: nothing to translate
    SystemFolderIo io;
    const MakeIconResult result = makeicon(request, io);
    ASSERT_FALSE(result.failed) << result.failure.message;
    EXPECT_FALSE(result.restarted);
    EXPECT_TRUE(result.attributeFailure.ok()) << result.attributeFailurePath;
    for (const std::string &folder : folders) {
        EXPECT_EQ(winfiles::attributes(folder + "desktop.ini") & kShellBits, platform::kAttrHidden);
        // Read-only and system are set; the hidden bit the folder had stays.
        EXPECT_EQ(folderBits(folder),
                  expectedFolderBits(kFolderAttributes9x | platform::kAttrHidden))
            << folder;
        const FolderIniOutcome read = readfolderini(folder, "0");
        EXPECT_EQ(read.iconPath, request.iconPath);
        EXPECT_EQ(read.iconIndex, "4");
        EXPECT_EQ(read.infoTip, kGreek);
    }
}

TEST(FolderDresserWine, RemovingDeletesTheFileAndResetsTheFolder)
{
    winfiles::TempFolder temp;
    const std::string a = temp / "a\\";
    const std::string b = temp / kGreek + "\\";
    winfiles::makeFolder(a);
    winfiles::makeFolder(b);
    CustomisationRequest request = requestFor({a, b});
    request.windowsMode = WindowsMode::Nt9x;
    SystemFolderIo io;
    ASSERT_FALSE(makeicon(request, io).failed);

    request.selectedFolder = b;
    delicon(request, "0", io);
    EXPECT_EQ(winfiles::listFolder(b), "");
    EXPECT_EQ(folderBits(b), 0u);
    EXPECT_TRUE(winfiles::exists(a + "desktop.ini"));

    delicon(request, "1", io);
    EXPECT_EQ(winfiles::listFolder(a), "");
    EXPECT_EQ(folderBits(a), 0u);
}

TEST(FolderDresserWine, DressingRemovesOnlyOurStaleTemporaries)
{
    winfiles::TempFolder temp;
    const std::string a = temp / "a\\";
    winfiles::makeFolder(a);
    for (const char *name : {".desktop.ini.0123456789ab~", ".desktop.ini.keep~", "notes.txt"})
        winfiles::writeFile(a + name, "left over");
    winfiles::makeFolder(a + ".desktop.ini.00000000000b~");
    SystemFolderIo io;
    ASSERT_FALSE(makeicon(requestFor({a}), io).failed);
    EXPECT_EQ(winfiles::listFolder(a),
              ".desktop.ini.00000000000b~ .desktop.ini.keep~ desktop.ini notes.txt");
}

TEST(FolderDresserWine, TheRunningSystemIsOfTheNtFamily)
{
    EXPECT_EQ(detectedWindowsMode(), WindowsMode::Xp);
}
