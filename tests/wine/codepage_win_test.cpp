#include "platform/codepage.h"

#include <windows.h>

#include <cstdlib>
#include <gtest/gtest.h>

using namespace platform;

namespace
{

const std::string kCyrillic = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"; // Папка
const std::string kGreek = "\xCE\xB1";                                    // α
const std::string kJapanese = "\xE3\x83\x95\xE3\x82\xA9";                 // フォ

// Sets or clears the override for one test.
class CodePageOverride
{
public:
    explicit CodePageOverride(const char *value) { _putenv_s("RAVO2_ANSI_CODEPAGE", value); }
    ~CodePageOverride() { _putenv_s("RAVO2_ANSI_CODEPAGE", ""); }
};

} // namespace

TEST(CodePageWin, AnsiCodePageIsTheSystemsUnlessAValidOverrideIsSet)
{
    {
        CodePageOverride none("");
        EXPECT_EQ(ansiCodePage(), GetACP());
    }
    {
        CodePageOverride cyrillic("1251");
        EXPECT_EQ(ansiCodePage(), 1251u);
    }
    for (const char *invalid : {"12x", "-1", "99999", " 1251"}) {
        CodePageOverride bad(invalid);
        EXPECT_EQ(ansiCodePage(), GetACP()) << invalid;
    }
}

TEST(CodePageWin, ConversionFailsWhenACharacterHasNoPlace)
{
    EXPECT_EQ(utf8ToCodePage(kCyrillic, 1251), std::string("\xCF\xE0\xEF\xEA\xE0"));
    EXPECT_EQ(utf8ToCodePage("", 1251), std::string());
    EXPECT_EQ(utf8ToCodePage(kGreek, 1251), std::nullopt);
    // 1252 has no alpha; Windows would put its best fit "a" there unless told not to.
    EXPECT_EQ(utf8ToCodePage(kGreek, 1252), std::nullopt);
    EXPECT_EQ(utf8ToCodePage("\xC3\xBC", 1252), std::string("\xFC")); // ü
    EXPECT_EQ(utf8ToCodePage(kJapanese, 1251), std::nullopt);
    EXPECT_EQ(utf8ToCodePage(kJapanese, 932), std::string("\x83\x74\x83\x48"));
    EXPECT_EQ(utf8ToCodePage("ok\xC3", 1252), std::nullopt);        // cut UTF-8 sequence
    EXPECT_EQ(utf8ToCodePage("\xED\xA0\x80", 65001), std::nullopt); // encoded surrogate
}

TEST(CodePageWin, BytesWithoutACharacterBecomeReplacementCharacters)
{
    EXPECT_EQ(codePageToUtf8("\xCF\xE0\xEF\xEA\xE0", 1251), kCyrillic);
    EXPECT_EQ(codePageToUtf8("a\x98z", 1251), "a\xEF\xBF\xBDz"); // 0x98 is undefined in 1251
    EXPECT_EQ(codePageToUtf8("\x81", 1252), "\xEF\xBF\xBD");
    EXPECT_EQ(codePageToUtf8("\x83\x74\x83\x48", 932), kJapanese);
    // A lead byte with a bad trail byte loses only itself; a lead byte at the end likewise.
    EXPECT_EQ(codePageToUtf8("\x83\x01x\x83", 932), "\xEF\xBF\xBD\x01x\xEF\xBF\xBD");
    EXPECT_EQ(codePageToUtf8("ok\xFF", 65001), "ok\xEF\xBF\xBD");
    EXPECT_EQ(codePageToUtf8("abc", 4242), "abc"); // unknown code page: read as 1252
}

TEST(CodePageWin, LanguagesMapToTheirAnsiCodePages)
{
    EXPECT_EQ(codePageForLanguage("ru"), 1251u);
    EXPECT_EQ(codePageForLanguage("ru_RU.UTF-8"), 1251u);
    EXPECT_EQ(codePageForLanguage("de_DE"), 1252u);
    EXPECT_EQ(codePageForLanguage("el"), 1253u);
    EXPECT_EQ(codePageForLanguage("ja_JP.eucJP"), 932u);
    EXPECT_EQ(codePageForLanguage("zh_TW"), 950u);
    EXPECT_EQ(codePageForLanguage("sr_RS@latin"), 1250u);
    EXPECT_EQ(codePageForLanguage("hi"), 1252u); // a Unicode-only locale
    EXPECT_EQ(codePageForLanguage("xx"), 1252u);
    EXPECT_EQ(codePageForLanguage(""), 1252u);
}
