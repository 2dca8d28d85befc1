#include "engine/utf8.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

// The byte forms the desktop.ini reader and writer use on top of the shared codec.
TEST(Utf8, Utf16LeBytesAreLittleEndianAndRefuseIllFormedText)
{
    EXPECT_EQ(engine::utf8::toUtf16Le("Я😀"), "\x2F\x04\x3D\xD8\x00\xDE"s);
    EXPECT_EQ(engine::utf8::toUtf16Le("a\xC0\x80"), std::nullopt);
    EXPECT_EQ(engine::utf8::fromUtf16Le("\x2F\x04\x3D\xD8\x00\xDE"s), "Я😀");
    // A dangling odd byte is shown, not dropped.
    EXPECT_EQ(engine::utf8::fromUtf16Le("A\0B"s), "A\xEF\xBF\xBD");
}

TEST(Utf8, SanitizingKeepsWellFormedTextAndMarksTheRest)
{
    EXPECT_TRUE(engine::utf8::isValid("Иконка"));
    EXPECT_FALSE(engine::utf8::isValid("\xED\xA0\x80"));
    EXPECT_EQ(engine::utf8::sanitized("Иконка"), "Иконка");
    EXPECT_EQ(engine::utf8::sanitized("a\xFFz"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(engine::utf8::afterCharacters("ЯЯabc", 3), "bc");
    EXPECT_EQ(engine::utf8::afterCharacters("Я", 2), "");
}
