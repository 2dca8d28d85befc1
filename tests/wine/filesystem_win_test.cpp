#include "platform/attributes.h"
#include "platform/filesystem.h"
#include "winfiles.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace platform;

namespace
{

const std::string kGreek = "\xCE\xA6\xCE\xAC\xCE\xBA\xCE\xB5\xCE\xBB\xCE\xBF\xCF\x82"; // Φάκελος
const std::string kJapanese = "\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xAB\xE3\x83\x80"; // フォルダ

} // namespace

TEST(FilesystemWin, FoldersAndSeparator)
{
    winfiles::TempFolder temp;
    winfiles::writeFile(temp / "file.txt", "x");
    EXPECT_EQ(nativeSeparator(), '\\');
    EXPECT_TRUE(isDirectory(temp.path()));
    EXPECT_TRUE(isDirectory(temp.path().substr(0, temp.path().size() - 1)));
    EXPECT_FALSE(isDirectory(temp / "file.txt"));
    EXPECT_FALSE(isDirectory(temp / "missing"));
    EXPECT_FALSE(isDirectory(""));
    EXPECT_FALSE(isSymbolicLink(temp.path()));
    EXPECT_FALSE(isSymbolicLink(temp / "file.txt"));
}

TEST(FilesystemWin, DeleteRefusesReadOnlyAndReportsMissing)
{
    winfiles::TempFolder temp;
    const std::string file = temp / "desktop.ini";
    winfiles::writeFile(file, "kept");
    winfiles::setAttributes(file, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    const Status refused = deleteFile(file);
    EXPECT_EQ(refused.code, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(refused.message.empty());
    EXPECT_EQ(winfiles::readFile(file), "kept");

    winfiles::setAttributes(file, FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(deleteFile(file).ok());
    EXPECT_FALSE(winfiles::exists(file));
    EXPECT_EQ(deleteFile(file).code, ERROR_FILE_NOT_FOUND);
}

TEST(FilesystemWin, ReplaceWritesNewAndHiddenFilesWithoutLeftovers)
{
    winfiles::TempFolder temp;
    const std::string file = temp / "desktop.ini";
    const std::string bytes("[.ShellClassInfo]\r\nInfoTip=\0x\r\n", 28);
    ASSERT_TRUE(replaceFile(file, bytes).ok());
    EXPECT_EQ(winfiles::readFile(file), bytes);

    // CreateFile refuses to truncate a hidden file; the rename must not.
    winfiles::setAttributes(file, FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(replaceFile(file, "second").ok());
    EXPECT_EQ(winfiles::readFile(file), "second");
    EXPECT_EQ(winfiles::listFolder(temp.path()), "desktop.ini");

    std::string read;
    ASSERT_TRUE(platform::readFile(file, read).ok());
    EXPECT_EQ(read, "second");
}

TEST(FilesystemWin, ReplaceRefusesReadOnlyFilesAndFolders)
{
    winfiles::TempFolder temp;
    const std::string file = temp / "desktop.ini";
    winfiles::writeFile(file, "old");
    winfiles::setAttributes(file, FILE_ATTRIBUTE_READONLY);
    winfiles::makeFolder(temp / "folder");

    // Wine's MoveFileEx would replace the read-only file; the check must stop it first.
    EXPECT_EQ(replaceFile(file, "new").code, ERROR_ACCESS_DENIED);
    EXPECT_EQ(winfiles::readFile(file), "old");
    EXPECT_EQ(replaceFile(temp / "folder", "new").code, ERROR_ACCESS_DENIED);
    EXPECT_TRUE(isDirectory(temp / "folder"));
    EXPECT_EQ(winfiles::listFolder(temp.path()), "desktop.ini folder");
}

TEST(FilesystemWin, ReplaceInAMissingFolderFailsCleanly)
{
    winfiles::TempFolder temp;
    const Status status = replaceFile(temp / "missing\\desktop.ini", "x");
    EXPECT_EQ(status.code, ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(status.message.empty());
    EXPECT_FALSE(winfiles::exists(temp / "missing"));
    EXPECT_EQ(winfiles::listFolder(temp.path()), "");

    std::string read = "stale";
    EXPECT_EQ(platform::readFile(temp / "missing\\desktop.ini", read).code, ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(read, "");
}

TEST(FilesystemWin, NamesOutsideTheAnsiCodePage)
{
    winfiles::TempFolder temp;
    for (const std::string &name : {kGreek, kJapanese}) {
        const std::string folder = temp / name + "\\";
        winfiles::makeFolder(folder);
        EXPECT_TRUE(isDirectory(folder)) << name;
        ASSERT_TRUE(replaceFile(folder + "desktop.ini", name).ok()) << name;
        EXPECT_EQ(winfiles::readFile(folder + "desktop.ini"), name);
        EXPECT_TRUE(deleteFile(folder + "desktop.ini").ok());
        EXPECT_EQ(winfiles::listFolder(folder), "");
    }
}

#ifdef RAVO2_FOLDER_LINK
// A Linux symbolic link to a folder, made by the build: Wine shows it as a reparse point.
TEST(FilesystemWin, ReparsePointsAreLinksAndAreNeverReplaced)
{
    const std::string link = RAVO2_FOLDER_LINK;
    ASSERT_TRUE(winfiles::exists(link));
    EXPECT_TRUE(isSymbolicLink(link));
    EXPECT_TRUE(isSymbolicLink(link + "\\"));
    EXPECT_TRUE(isDirectory(link));
    EXPECT_EQ(replaceFile(link, "x").code, ERROR_CANT_RESOLVE_FILENAME);
    EXPECT_TRUE(isDirectory(link));
}
#endif
