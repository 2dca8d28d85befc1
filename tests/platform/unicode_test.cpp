#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace
{

// The UTF-8 text with each replacement shown as '?', so failures read plainly.
std::string shown(std::u16string_view utf16)
{
    std::string out;
    for (char16_t unit : utf16)
        out += unit == 0xFFFD ? '?' : unit < 0x80 ? char(unit) : '#';
    return out;
}

} // namespace

TEST(Unicode, WellFormedTextSurvivesBothWaysAtEveryLengthBoundary)
{
    for (const std::string &text :
         {"plain"s, "Иконка папки"s, "\u07FF\u0800\uFFFF"s, "\U00010000 😀 \U0010FFFF"s, ""s}) {
        EXPECT_EQ(platform::utf16ToUtf8(platform::utf8ToUtf16(text)), text);
    }
    EXPECT_EQ(platform::utf8ToUtf16("😀"), u"\xD83D\xDE00");
    EXPECT_EQ(platform::utf8ToUtf16("\xD0\x98"), u"\u0418");
}

TEST(Unicode, EachByteOutsideAWellFormedSequenceBecomesOneReplacement)
{
    struct Case {
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"a\x80z", "a?z"},                     // lone continuation byte
        {"a\xC0\x80z", "a??z"},                // overlong NUL
        {"a\xE0\x80\xAFz", "a???z"},           // overlong '/'
        {"a\xED\xA0\x80z", "a???z"},           // a surrogate encoded as UTF-8
        {"a\xF4\x90\x80\x80z", "a????z"},      // past U+10FFFF
        {"a\xF8\x88\x80\x80\x80z", "a?????z"}, // five-byte form
        {"a\xE2\x82", "a??"},                  // cut short at the end
        {"\xE2z\xF0\x9F\x98z", "?z???z"},      // cut short before a character, which survives
        {"\xFF\xFE", "??"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shown(platform::utf8ToUtf16(c.bytes)), c.expected) << c.expected;
}

TEST(Unicode, DecodingAnIllFormedSequenceConsumesOneByte)
{
    const std::string text = "\xE2\x82z";
    std::size_t pos = 0;
    EXPECT_EQ(platform::decodeUtf8(text, pos), platform::kNoCharacter);
    EXPECT_EQ(pos, 1u);
    EXPECT_EQ(platform::decodeUtf8(text, pos), platform::kNoCharacter);
    EXPECT_EQ(platform::decodeUtf8(text, pos), U'z');
    EXPECT_EQ(pos, text.size());
}

TEST(Unicode, UnpairedSurrogatesBecomeReplacements)
{
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(platform::utf16ToUtf8(u"x\xD800"), "x" + r);           // high at the end
    EXPECT_EQ(platform::utf16ToUtf8(u"\xDC00x"), r + "x");           // low alone
    EXPECT_EQ(platform::utf16ToUtf8(u"\xD800x\xDC00"), r + "x" + r); // parted by a character
    EXPECT_EQ(platform::utf16ToUtf8(u"\xDE00\xD83D"), r + r);        // the pair reversed
    EXPECT_EQ(platform::utf16ToUtf8(u"\xD83D\xD83D\xDE00"), r + "😀");
}
