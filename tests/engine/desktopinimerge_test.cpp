#include "engine/desktopinimerge.h"
#include "engine/desktopinireader.h"

#include <gtest/gtest.h>

using engine::DesktopIniMerge;

namespace
{

const std::string kOurs = "[.ShellClassInfo]\r\nIconFile=new.ico\r\nIconIndex=3\r\n";
const std::string kBackground = "[{BE098140-A513-11D0-A3A4-00C04FD706EC}]\r\n";
const std::string kOursWithBackground =
    kOurs + kBackground + "Attributes = 1\r\nIconArea_Image=back.jpg\r\nIconArea_Text=255\r\n";
const std::string kLocalName =
    "LocalizedResourceName=@%SystemRoot%\\system32\\shell32.dll,-21770\r\n";
const std::string kViewState = "[ViewState]\r\nMode=\r\nFolderType=Pictures\r\n";

std::vector<std::string> linesOf(const std::string &text)
{
    return engine::DesktopIniReader::lines(text, 1252);
}

} // namespace

// Each old file through dressing (with the icon set, or not) and through removal.
TEST(DesktopIniMerge, KeysOfOthersStayInPlaceThroughDressingAndRemoval)
{
    const struct {
        const char *name;
        std::string old, ours;
        bool iconSet;
        std::string dressed;
        std::optional<std::string> undressed;
    } cases[] = {
        {"only our keys, in another order, lone LF: today's bytes, and the file goes",
         "[.shellclassinfo]\nIconIndex=0\nInfoTip=x\niconfile=old.ico\n\n" + kBackground +
             "Attributes = 1\r\nIconArea_Text=0\r\n",
         kOurs, true, kOurs, std::nullopt},
        {"a display name, an IconResource and a view section",
         "[.ShellClassInfo]\r\n" + kLocalName +
             "IconResource=C:\\old.dll,2\r\nIconFile=old.ico\r\n" + "IconIndex=0\r\n" + kViewState,
         kOurs, true,
         "[.ShellClassInfo]\r\n" + kLocalName + "IconResource=new.ico,3\r\nIconFile=new.ico\r\n" +
             "IconIndex=3\r\n" + kViewState,
         "[.ShellClassInfo]\r\n" + kLocalName + kViewState},
        {"an IconResource is left alone when the icon is not set, and goes on removal",
         "[.ShellClassInfo]\r\nIconResource=C:\\old.dll,2\r\n", kOurs, false,
         kOurs + "IconResource=C:\\old.dll,2\r\n", std::nullopt},
        {"a comment and a section without ours: ours come first", "; by hand\r\n" + kViewState,
         kOurs, true, "; by hand\r\n" + kOurs + kViewState, "; by hand\r\n" + kViewState},
        {"a key of others in the background section",
         "[.ShellClassInfo]\r\nConfirmFileOp=0\r\n" + kBackground +
             "IconArea_TextBackground=0x00FFFFFF\r\nIconArea_Image=old.jpg\r\n",
         kOursWithBackground, true,
         kOurs + "ConfirmFileOp=0\r\n" + kBackground +
             "IconArea_TextBackground=0x00FFFFFF\r\nAttributes = 1\r\nIconArea_Image=back.jpg\r\n"
             "IconArea_Text=255\r\n",
         "[.ShellClassInfo]\r\nConfirmFileOp=0\r\n" + kBackground +
             "IconArea_TextBackground=0x00FFFFFF\r\n"},
        {"a background of ours that this request drops; a new one after [.ShellClassInfo]",
         kViewState + kBackground + "Attributes = 1\r\n[.ShellClassInfo]\r\n" + kLocalName, kOurs,
         true, kViewState + kOurs + kLocalName, kViewState + "[.ShellClassInfo]\r\n" + kLocalName},
        {"a background asked for where the file has none",
         "[.ShellClassInfo]\r\n" + kLocalName + kViewState, kOursWithBackground, true,
         kOurs + kLocalName + kBackground +
             "Attributes = 1\r\nIconArea_Image=back.jpg\r\nIconArea_Text=255\r\n" + kViewState,
         "[.ShellClassInfo]\r\n" + kLocalName + kViewState},
    };
    for (const auto &c : cases) {
        const std::optional<std::string> resource =
            c.iconSet ? std::optional<std::string>("new.ico,3") : std::nullopt;
        EXPECT_EQ(DesktopIniMerge::dressed(linesOf(c.old), c.ours, resource), c.dressed) << c.name;
        EXPECT_EQ(DesktopIniMerge::undressed(linesOf(c.old)), c.undressed) << c.name;
        EXPECT_EQ(DesktopIniMerge::undressed(linesOf(c.dressed)), c.undressed) << c.name;
    }
}
