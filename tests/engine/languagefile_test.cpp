#include "engine/languagefile.h"

#include "platform/attributes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using engine::LanguageFile;
using Lines = std::vector<std::string>;

namespace
{

// A file of `count` lines "line 1", "line 2", … each ended by CR LF.
std::string numberedFile(int count)
{
    std::string bytes;
    for (int n = 1; n <= count; ++n)
        bytes += "line " + std::to_string(n) + "\r\n";
    return bytes;
}

} // namespace

TEST(LanguageFileLines, KeepsEveryLineInPositionWhateverTheCount)
{
    for (int count : {57, 10, 60}) {
        const Lines lines = LanguageFile::lines(numberedFile(count), 1251);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(lines.front(), "line 1");
        EXPECT_EQ(lines[5], "line 6");
        EXPECT_EQ(lines.back(), "line " + std::to_string(count));
    }
    EXPECT_TRUE(LanguageFile::lines("", 1251).empty());
}

TEST(LanguageFileLines, CrEndsALineAndLoneLfStaysInTheText)
{
    EXPECT_EQ(LanguageFile::lines("one\rtwo\r\nthree", 1252), (Lines{"one", "two", "three"}));
    EXPECT_EQ(LanguageFile::lines("two\nparts\r\nnext\n", 1252), (Lines{"two\nparts", "next\n"}));
    // CR followed by CR LF: the first ends "a", the pair ends an empty line.
    EXPECT_EQ(LanguageFile::lines("a\r\r\nb", 1252), (Lines{"a", "", "b"}));
    EXPECT_EQ(LanguageFile::lines("\r\n\r\n", 1252), (Lines{"", ""}));
    EXPECT_EQ(LanguageFile::lines("last without end", 1252), (Lines{"last without end"}));
    EXPECT_EQ(LanguageFile::lines("ends with cr\r", 1252), (Lines{"ends with cr"}));
    EXPECT_EQ(LanguageFile::lines("  blanks kept \t\r\n", 1252), (Lines{"  blanks kept \t"}));
}

TEST(LanguageFileLines, ValidUtf8IsReadAsUtf8AndTheBomStaysInLineOne)
{
    const std::string about =
        "\xD0\x9E \xD0\xBF\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0"
        "\xBC\xD0\xB5..."; // "О программе..."
    EXPECT_EQ(LanguageFile::lines("head\r\n" + about + "\r\n", 1251), (Lines{"head", about}));

    const std::string bom = "\xEF\xBB\xBF";
    const Lines withBom = LanguageFile::lines(bom + "English\r\n" + about, 1251);
    ASSERT_EQ(withBom.size(), 2u);
    EXPECT_EQ(withBom[0], bom + "English");
    EXPECT_EQ(withBom[1], about);
}

TEST(LanguageFileLines, AnythingElseIsReadInTheAnsiCodePage)
{
    // "Файл" and "Папка" in Windows-1251.
    const Lines cyrillic = LanguageFile::lines("\xD4\xE0\xE9\xEB\r\n\xCF\xE0\xEF\xEA\xE0", 1251);
    EXPECT_EQ(cyrillic, (Lines{"\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB",
                               "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"}));

    // One stray ANSI byte makes the whole file ANSI: the UTF-8 pair on line 1 is read as two
    // Windows-1252 characters ("Ã©"), the lone 0xE9 on line 2 as "é".
    const Lines mixed = LanguageFile::lines("caf\xC3\xA9\r\ncaf\xE9", 1252);
    EXPECT_EQ(mixed, (Lines{"caf\xC3\x83\xC2\xA9", "caf\xC3\xA9"}));
}

TEST(LanguageFileNames, MatchTheLngPatternInAnyCaseButNotHiddenOnes)
{
    for (const char *name : {"english.lng", "RUSSIAN.LNG", "de.Lng", "two words.lng"})
        EXPECT_TRUE(LanguageFile::isLanguageFileName(name)) << name;
    for (const char *name : {".lng", ".hidden.lng", "english.lng.bak", "englishlng", "a.lngx", ""})
        EXPECT_FALSE(LanguageFile::isLanguageFileName(name)) << name;

    EXPECT_TRUE(LanguageFile::isListedAttributes(platform::kAttrArchive));
    EXPECT_TRUE(LanguageFile::isListedAttributes(platform::kAttrArchive | platform::kAttrReadOnly));
    EXPECT_TRUE(LanguageFile::isListedAttributes(platform::kAttrNormal));
    for (auto refused : {platform::kAttrArchive | platform::kAttrHidden,
                         platform::kAttrArchive | platform::kAttrSystem, platform::kAttrDirectory,
                         platform::kInvalidAttributes})
        EXPECT_FALSE(LanguageFile::isListedAttributes(refused)) << refused;
}

// Entry 0 is the built-in Russian, so a file keeps the 1-based position stored for it before.
TEST(LanguageFileStoredIndex, IsThePositionOfAnExistingEntry)
{
    EXPECT_EQ(LanguageFile::storedIndex("0", 3), 0);
    EXPECT_EQ(LanguageFile::storedIndex("1", 3), 1);
    EXPECT_EQ(LanguageFile::storedIndex("+2", 3), 2);
    for (const char *stored : {"3", "-1", "", "abc", "2x", " 2", "1.5", "99999999999999999999"})
        EXPECT_EQ(LanguageFile::storedIndex(stored, 3), std::nullopt) << stored;
    EXPECT_EQ(LanguageFile::storedIndex("0", 0), std::nullopt);
}
