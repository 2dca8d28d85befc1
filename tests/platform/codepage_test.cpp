#include "platform/codepage.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <thread>
#include <vector>

using namespace platform;

namespace
{

const char *const kLocaleVariables[] = {"RAVO2_ANSI_CODEPAGE", "LC_ALL", "LC_CTYPE", "LANG"};

// Clears the variables that choose the code page and puts them back afterwards.
class AnsiCodePage : public ::testing::Test
{
protected:
    std::map<std::string, std::string> m_saved;

    void SetUp() override
    {
        for (const char *name : kLocaleVariables) {
            if (const char *value = std::getenv(name))
                m_saved[name] = value;
            unsetenv(name);
        }
    }
    void TearDown() override
    {
        for (const char *name : kLocaleVariables)
            unsetenv(name);
        for (const auto &[name, value] : m_saved)
            setenv(name.c_str(), value.c_str(), 1);
    }
};

} // namespace

TEST(CodePage, LanguagesFollowWineLocales)
{
    const std::vector<std::pair<unsigned, std::vector<const char *>>> expected{
        {1250, {"cs", "pl", "hr", "sr_RS@latin", "sr-Latn-RS"}},
        {1251, {"ru", "ru_RU.UTF-8", "RU", "uk_UA", "kk", "sah", "sr_RS", "uz_UZ@cyrillic"}},
        {1252, {"de_DE", "en", "xx", "", "C", "POSIX"}},
        {1253, {"el_GR"}},
        {1254, {"tr", "az"}},
        {1255, {"he_IL"}},
        {1256, {"ar_EG", "fa", "ur"}},
        {1257, {"lt", "lv", "et"}},
        {1258, {"vi"}},
        {874, {"th"}},
        {932, {"ja_JP"}},
        {936, {"zh_CN.GB18030", "zh_SG"}},
        {950, {"zh_TW.UTF-8", "zh_HK", "zh-Hant"}},
        {949, {"ko_KR"}},
    };
    for (const auto &[codePage, languages] : expected)
        for (const char *language : languages)
            EXPECT_EQ(codePageForLanguage(language), codePage) << language;
}

TEST_F(AnsiCodePage, FromEnvironment)
{
    EXPECT_EQ(ansiCodePage(), 1252u);
    setenv("LANG", "ja_JP.UTF-8", 1);
    EXPECT_EQ(ansiCodePage(), 932u);
    setenv("LC_CTYPE", "el_GR.UTF-8", 1);
    EXPECT_EQ(ansiCodePage(), 1253u);
    setenv("LC_ALL", "", 1);
    EXPECT_EQ(ansiCodePage(), 1253u) << "an empty LC_ALL does not count";
    setenv("LC_ALL", "ru_RU.UTF-8", 1);
    EXPECT_EQ(ansiCodePage(), 1251u);
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(ansiCodePage(), 1252u);

    setenv("RAVO2_ANSI_CODEPAGE", "1250", 1);
    EXPECT_EQ(ansiCodePage(), 1250u);
    for (const char *invalid : {"", "cp1250", "1250x", "-1", "99999", "4294967297"}) {
        setenv("RAVO2_ANSI_CODEPAGE", invalid, 1);
        EXPECT_EQ(ansiCodePage(), 1252u) << '"' << invalid << '"';
    }
}

// Only a named ANSI code page turns desktop.ini away from UTF-16LE; the locale never does.
TEST_F(AnsiCodePage, IniTextIsUtf16UnlessAnAnsiCodePageIsNamed)
{
    setenv("LANG", "ru_RU.UTF-8", 1);
    EXPECT_EQ(iniCodePage().codePage, std::nullopt);
    EXPECT_EQ(iniCodePage().refused, "");
    for (const char *named : {"1251", "932", "874"}) {
        setenv("RAVO2_ANSI_CODEPAGE", named, 1);
        EXPECT_EQ(iniCodePage().codePage, unsigned(std::atoi(named))) << named;
        EXPECT_EQ(iniCodePage().refused, "") << named;
    }
    for (const char *refused : {"65001", "437", "99999", "cp1251", "-1"}) {
        setenv("RAVO2_ANSI_CODEPAGE", refused, 1);
        EXPECT_EQ(iniCodePage().codePage, std::nullopt) << refused;
        EXPECT_EQ(iniCodePage().refused, refused);
    }
}

TEST(CodePage, RoundTrips)
{
    const auto bytes = utf8ToCodePage("Папка Ёж №1", 1251);
    EXPECT_EQ(bytes, "\xCF\xE0\xEF\xEA\xE0 \xA8\xE6 \xB9\x31");
    EXPECT_EQ(codePageToUtf8(bytes.value_or(""), 1251), "Папка Ёж №1");
    EXPECT_EQ(utf8ToCodePage("", 1251), "");
    for (const auto &[codePage, text] : std::map<unsigned, std::string>{
             {932, "文件 A"}, {936, "文件 A"}, {949, "폴더 A"}, {950, "資料夾 A"}}) {
        const auto encoded = utf8ToCodePage(text, codePage);
        ASSERT_TRUE(encoded.has_value()) << codePage;
        EXPECT_EQ(codePageToUtf8(*encoded, codePage), text) << codePage;
    }
}

TEST(CodePage, CharacterOutsideCodePageIsRefused)
{
    EXPECT_EQ(utf8ToCodePage("Ελλάδα", 1251), std::nullopt);
    EXPECT_EQ(utf8ToCodePage("abc ✓", 1252), std::nullopt);
    EXPECT_EQ(utf8ToCodePage("Ελλάδα", 1253).has_value(), true);
    EXPECT_EQ(utf8ToCodePage("x", 12345), std::nullopt);
}

TEST(CodePage, InvalidUtf8IsRefused)
{
    for (const char *broken : {"\xC3", "ok\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82"})
        EXPECT_EQ(utf8ToCodePage(broken, 1251), std::nullopt) << broken;
}

TEST(CodePage, UndefinedBytesBecomeReplacementCharacter)
{
    EXPECT_EQ(codePageToUtf8("A\x98Z", 1251), "A\xEF\xBF\xBDZ");
    EXPECT_EQ(codePageToUtf8("\x93\xfa\x96{\x93", 932), "日本\xEF\xBF\xBD");
    EXPECT_EQ(codePageToUtf8("caf\xE9", 12345), "café");
}

// Converters are cached per thread; each thread must still get its own code page's answer.
TEST(CodePage, ConcurrentThreadsWithDifferentCodePages)
{
    auto work = [](unsigned codePage, std::string text, bool &ok) {
        for (int i = 0; i < 2000 && ok; ++i) {
            const auto bytes = utf8ToCodePage(text, codePage);
            ok = bytes && codePageToUtf8(*bytes, codePage) == text &&
                 !utf8ToCodePage(codePage == 1251 ? "Ω" : "Ж", codePage);
        }
    };
    bool cyrillicOk = true;
    bool greekOk = true;
    std::thread cyrillic(work, 1251u, std::string("Жёлтый"), std::ref(cyrillicOk));
    std::thread greek(work, 1253u, std::string("Ωμέγα"), std::ref(greekOk));
    cyrillic.join();
    greek.join();
    EXPECT_TRUE(cyrillicOk);
    EXPECT_TRUE(greekOk);
}
