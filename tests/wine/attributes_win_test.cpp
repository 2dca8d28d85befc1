#include "platform/attributes.h"
#include "winfiles.h"

#include <gtest/gtest.h>

using namespace platform;

namespace
{

constexpr std::uint32_t kShellBits = kAttrReadOnly | kAttrHidden | kAttrSystem;

// A Greek and a Japanese name: outside code page 1252 and 1251 alike.
const std::string kGreek = "\xCE\xA6\xCE\xAC\xCE\xBA\xCE\xB5\xCE\xBB\xCE\xBF\xCF\x82"; // Φάκελος
const std::string kJapanese = "\xE3\x83\x95\xE3\x82\xA9\xE3\x83\xAB\xE3\x83\x80"; // フォルダ

} // namespace

TEST(AttributesWin, NothingReadableGivesInvalid)
{
    winfiles::TempFolder temp;
    EXPECT_EQ(getFileAttributes(""), kInvalidAttributes);
    EXPECT_EQ(getFileAttributes(temp / "missing.txt"), kInvalidAttributes);
    EXPECT_EQ(getFileAttributes(temp / "\xFF\xFE"), kInvalidAttributes); // not UTF-8
    EXPECT_FALSE(setFileAttributes(temp / "missing.txt", kAttrHidden).ok());
}

TEST(AttributesWin, ValuesReplaceWhatTheFileHad)
{
    winfiles::TempFolder temp;
    const std::string file = temp / "desktop.ini";
    winfiles::writeFile(file, "x");
    winfiles::setAttributes(file, kAttrReadOnly | kAttrSystem);

    ASSERT_TRUE(setFileAttributes(file, kAttrHidden).ok());
    EXPECT_EQ(winfiles::attributes(file) & kShellBits, kAttrHidden);
    EXPECT_EQ(getFileAttributes(file), winfiles::attributes(file));

    ASSERT_TRUE(setFileAttributes(file, kAttrNormal).ok());
    EXPECT_EQ(winfiles::attributes(file) & kShellBits, 0u);
}

TEST(AttributesWin, FolderKeepsHiddenAndSystemAndReportsItsDirectoryBit)
{
    winfiles::TempFolder temp;
    const std::string folder = temp / "dressed";
    winfiles::makeFolder(folder);

    ASSERT_TRUE(setFileAttributes(folder, kAttrReadOnly | kAttrSystem).ok());
    const std::uint32_t dressed = getFileAttributes(folder + "\\");
    EXPECT_TRUE(dressed & kAttrDirectory);
    EXPECT_TRUE(dressed & kAttrSystem);
    if (!winfiles::runningUnderWine()) {
        EXPECT_TRUE(dressed & kAttrReadOnly);
    }

    ASSERT_TRUE(setFileAttributes(folder, kAttrNormal).ok());
    EXPECT_EQ(getFileAttributes(folder) & kShellBits, 0u);
}

TEST(AttributesWin, NamesOutsideTheAnsiCodePageAndPathsBeyondMaxPath)
{
    winfiles::TempFolder temp;
    std::string deep = temp.path();
    for (const std::string &name : {kGreek, kJapanese}) {
        winfiles::makeFolder(temp / name);
        ASSERT_TRUE(setFileAttributes(temp / name, kAttrHidden | kAttrSystem).ok()) << name;
        EXPECT_EQ(winfiles::attributes(temp / name) & kShellBits, kAttrHidden | kAttrSystem);
    }
    while (deep.size() < 300) {
        deep += std::string(40, 'd') + "\\";
        winfiles::makeFolder(deep);
    }
    const std::string file = deep + "desktop.ini";
    winfiles::writeFile(file, "x");
    ASSERT_TRUE(setFileAttributes(file, kAttrHidden).ok());
    EXPECT_EQ(getFileAttributes(file) & kShellBits, kAttrHidden);
    EXPECT_EQ(winfiles::attributes(file) & kShellBits, kAttrHidden);
}
