#include "engine/desktopinireader.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using engine::DesktopIniReader;
using engine::FolderIniOutcome;
using engine::IconSource;

namespace
{

FolderIniOutcome readText(const std::string &bytes, const std::string &index = "0")
{
    return DesktopIniReader::read(bytes, index, 1251);
}

const std::string kWritten = "[.ShellClassInfo]\r\nIconFile=C:\\shell32.dll\r\nIconIndex=5\r\n"
                             "InfoTip=\xCC\xEE\xE8 \xF4\xEE\xF2\xEE\r\n"
                             "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r\nAttributes = 1\r\n"
                             "IconArea_Image=C:\\back.bmp\r\nIconArea_Text=255\r\n";

} // namespace

TEST(DesktopIniReader, ReadsBackAWrittenFile)
{
    const FolderIniOutcome outcome = readText(kWritten);
    EXPECT_EQ(outcome.iconPath, "C:\\shell32.dll");
    EXPECT_EQ(outcome.iconIndex, "5");
    EXPECT_EQ(outcome.infoTip, "Мои фото");
    EXPECT_EQ(outcome.iconSource, IconSource::Library);
    EXPECT_FALSE(outcome.stoppedEarly);
    EXPECT_TRUE(readText("", "abc").changesNothing());
}

TEST(DesktopIniReader, TheSourceIsJudgedOnEveryLineFromTheIndexAtThatMoment)
{
    const FolderIniOutcome lowerCase = readText("iconfile=C:\\x.ico\r\n", "3");
    EXPECT_FALSE(lowerCase.iconPath);
    EXPECT_EQ(lowerCase.iconSource, IconSource::Library);
    EXPECT_EQ(readText("IconIndex=3\r\nIconIndex=0\r\n").iconSource, IconSource::File);

    const FolderIniOutcome empty = readText("IconFile=a\r\nIconIndex=\r\nInfoTip=never\r\n");
    EXPECT_EQ(empty.iconPath, "a");
    EXPECT_EQ(empty.iconIndex, "");
    EXPECT_EQ(empty.iconSource, IconSource::File);
    EXPECT_FALSE(empty.infoTip);
    EXPECT_TRUE(empty.stoppedEarly);

    const FolderIniOutcome stale = readText(kWritten, "abc");
    EXPECT_TRUE(stale.changesNothing() && stale.stoppedEarly);
}

TEST(DesktopIniReader, LinesCharactersAndEncodings)
{
    const std::vector<std::string> expected{"a", "b", "", "c", "d"};
    EXPECT_EQ(DesktopIniReader::lines("a\r\nb\n\rc\rd", 1251), expected);
    // Key letters outside ASCII: the value still starts at the 10th character.
    EXPECT_EQ(readText("IconF\xE8\xEB"
                       "e=abc\nInfoT")
                  .iconPath,
              "abc");
    EXPECT_EQ(readText("IconF\xE8\xEB"
                       "e=abc\nInfoT")
                  .infoTip,
              "");
    const std::string utf16("\xFF\xFEI\0n\0f\0o\0T\0i\0p\0=\0\xA9\x03\r\0\n\0\x00\xD8x", 27);
    EXPECT_EQ(readText(utf16).infoTip, "Ω");
    EXPECT_EQ(readText("\xEF\xBB\xBFInfoTip=Ω\xFF").infoTip, "Ω\uFFFD");
}

TEST(DesktopIniReader, IndexNumberRules)
{
    EXPECT_EQ(DesktopIniReader::indexNumber("\t-12 "), -12);
    EXPECT_EQ(DesktopIniReader::indexNumber("+7"), 7);
    EXPECT_EQ(DesktopIniReader::indexNumber("0.5"), 0);
    EXPECT_EQ(DesktopIniReader::indexNumber("1.5"), 2);
    EXPECT_EQ(DesktopIniReader::indexNumber("99999999999999999999999"), LLONG_MAX);
    for (const char *bad : {"", "  ", "abc", "5x", "1e3", ".", "- 5", "1 2"})
        EXPECT_FALSE(DesktopIniReader::indexNumber(bad)) << '"' << bad << '"';
}

TEST(DesktopIniReader, MalformedInputIsReadInLinearTime)
{
    std::mt19937 random(42);
    std::string garbage(1 << 20, '\0');
    for (char &c : garbage)
        c = static_cast<char>(random());
    for (const char *bom : {"", "\xFF\xFE", "\xEF\xBB\xBF"})
        readText(bom + garbage);
    EXPECT_EQ(readText("IconFile=" + std::string(10 << 20, 'x')).iconPath->size(), 10u << 20);
    // A long index followed by many short lines: converting it again on each would never end.
    const std::string longIndex =
        "IconIndex=" + std::string(1 << 20, '7') + std::string(200000, '\n');
    EXPECT_EQ(readText(longIndex).iconSource, IconSource::Library);
}
