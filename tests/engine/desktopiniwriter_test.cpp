#include "engine/desktopiniwriter.h"

#include <gtest/gtest.h>

#include <cerrno>

using engine::CustomisationRequest;
using engine::DesktopIniWriter;

namespace
{

std::optional<std::string> bytes1251(const CustomisationRequest &request)
{
    return DesktopIniWriter::bytes(request, 1251);
}

} // namespace

TEST(DesktopIniWriter, WritesTheLinesItsFlagsAskFor)
{
    CustomisationRequest request;
    request.iconPath = "C:\\a.ico";
    request.iconIndex = " 5 ";
    request.infoTip = "unused\nvalue";
    EXPECT_EQ(bytes1251(request), "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nIconIndex= 5 \r\n");

    request.iconIndex = "0";
    request.makeInfoTip = request.makeBackground = true;
    request.infoTip = "Мои фото";
    request.picturePath = "C:\\back.bmp";
    request.nameColour = 255;
    EXPECT_EQ(bytes1251(request), "[.ShellClassInfo]\r\nIconFile=C:\\a.ico\r\nIconIndex=0\r\n"
                                  "InfoTip=\xCC\xEE\xE8 \xF4\xEE\xF2\xEE\r\n"
                                  "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r\nAttributes = 1\r\n"
                                  "IconArea_Image=C:\\back.bmp\r\nIconArea_Text=255\r\n");

    request.makeBackground = false;
    request.infoTip.clear();
    EXPECT_TRUE(DesktopIniWriter::text(request).ends_with("IconIndex=0\r\nInfoTip=\r\n"));
}

TEST(DesktopIniWriter, ColourIsSignedDecimal)
{
    EXPECT_EQ(DesktopIniWriter::colourText(0x0080FF), "33023");
    EXPECT_EQ(DesktopIniWriter::colourText(0xFFFFFFFF), "-1");
    EXPECT_EQ(DesktopIniWriter::colourText(0x80000000), "-2147483648");
}

TEST(DesktopIniWriter, TextOutsideTheCodePageGoesOutAsUtf16NeverAsQuestionMarks)
{
    CustomisationRequest request;
    request.iconPath = "Ωμ";
    const auto bytes = bytes1251(request);
    ASSERT_TRUE(bytes);
    const std::string utf16("\xFF\xFE[\0.\0", 6), omegaMu("=\0\xA9\x03\xBC\x03\r\0\n\0", 10);
    EXPECT_TRUE(bytes->starts_with(utf16));
    EXPECT_NE(bytes->find(omegaMu), std::string::npos);
    EXPECT_EQ(bytes->size(), 2 + 2 * (DesktopIniWriter::text(request).size() - 2));
}

TEST(DesktopIniWriter, RefusesValuesThatCannotBecomeOneLine)
{
    CustomisationRequest request;
    request.iconPath = "bad \xC3( text";
    EXPECT_FALSE(bytes1251(request));
    EXPECT_EQ(DesktopIniWriter::checkValues(request).code, EILSEQ);
    request.iconPath = "a\r\nIconIndex=7";
    EXPECT_FALSE(bytes1251(request));
    EXPECT_EQ(DesktopIniWriter::checkValues(request).code, EINVAL);
}

// Linux writes text outside ASCII as UTF-16LE unless a code page is named; ASCII stays as it is.
TEST(DesktopIniWriter, EncodingFollowsTheCodePageOrUtf16)
{
    const std::string cyrillic = "IconFile=Фото\r\n";
    const struct {
        std::string text;
        std::optional<unsigned> codePage;
        std::string bytes;
    } cases[] = {
        {"IconFile=a.ico\r\n", std::nullopt, "IconFile=a.ico\r\n"},
        {"IconFile=a.ico\r\n", 1251u, "IconFile=a.ico\r\n"},
        {cyrillic, 1251u, "IconFile=\xD4\xEE\xF2\xEE\r\n"},
        {cyrillic, std::nullopt,
         std::string("\xFF\xFEI\0c\0o\0n\0F\0i\0l\0e\0=\0\x24\x04\x3E\x04\x42\x04\x3E\x04\r\0\n\0",
                     2 + 2 * 15)},
        {"Ωμ", 1251u, std::string("\xFF\xFE\xA9\x03\xBC\x03", 6)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DesktopIniWriter::encoded(c.text, c.codePage), c.bytes)
            << c.text << " in " << c.codePage.value_or(0);
}
