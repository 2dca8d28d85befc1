#include "engine/commandline.h"

#include <gtest/gtest.h>

using engine::parseCommandLine;
using engine::WindowsMode;
using Folders = std::vector<std::string>;

TEST(CommandLine, EverySwitchTakesItsValue)
{
    const auto r = parseCommandLine(
        "junk -fp C:\\a\\ -ip  C:\\i.ico  -ii 5 -tt Моя папка -pp C:\\b.bmp -tc Orange -wv 9x");
    EXPECT_TRUE(r.valid);
    EXPECT_EQ(r.folders, Folders{"C:\\a\\"});
    EXPECT_EQ(r.iconPath, "C:\\i.ico");
    EXPECT_EQ(r.iconIndex, " 5 ");
    EXPECT_EQ(r.infoTip, " Моя папка ");
    EXPECT_EQ(r.picturePath, " C:\\b.bmp ");
    EXPECT_EQ(r.colour, 33023u);
    EXPECT_EQ(r.windowsMode, WindowsMode::Nt9x);
    EXPECT_EQ(parseCommandLine("-fpé/data/").folders, Folders{"/data/"});
    EXPECT_EQ(parseCommandLine("-fp").folders, Folders{""});
}

TEST(CommandLine, WordsIgnoreCaseAndUnknownOnesChangeNothing)
{
    EXPECT_EQ(parseCommandLine("-tc RED").colour, 255u);
    EXPECT_EQ(parseCommandLine("-tc blue").colour, 16776985u);
    EXPECT_EQ(parseCommandLine("-tc red -tc purple").colour, 255u);
    EXPECT_EQ(parseCommandLine("-wv XP").windowsMode, WindowsMode::Xp);
    EXPECT_FALSE(parseCommandLine("-wv nt").windowsMode);
}

TEST(CommandLine, PiecesStartOnlyAtADashAfterABlank)
{
    EXPECT_EQ(parseCommandLine("-fp /home/me/my-photos/").folders, Folders{"/home/me/my-photos/"});
    EXPECT_EQ(parseCommandLine("-tt Rock -n- Roll").infoTip, " Rock ");
    EXPECT_EQ(parseCommandLine("-fp \"C:\\My Folder\\\"").folders, Folders{"\"C:\\My Folder\\\""});
    const auto r = parseCommandLine("-fp /a/ -ip one -fp /b/ -ip two -zz what");
    EXPECT_EQ(r.folders, (Folders{"/a/", "/b/"}));
    EXPECT_EQ(r.iconPath, "two");
    for (const char *line : {"C:\\folder", "my-photos", " "})
        EXPECT_FALSE(parseCommandLine(line).valid) << line;
    EXPECT_TRUE(parseCommandLine("-xx").valid);
}

TEST(CommandLine, HelpAndVersionOnlyAsTheWholeLine)
{
    struct Case {
        const char *line;
        bool help, version;
    };
    for (const Case &c :
         {Case{"--help", true, false}, Case{"--version", false, true},
          Case{"-fp /x/ --help", false, false}, Case{"-tt see --help", false, false},
          Case{"--help -fp /x/", false, false}, Case{"-tt --version", false, false},
          Case{" --help", false, false}, Case{"--helpful", false, false}}) {
        const auto r = parseCommandLine(c.line);
        EXPECT_EQ(r.showHelp, c.help) << c.line;
        EXPECT_EQ(r.showVersion, c.version) << c.line;
    }
    EXPECT_EQ(engine::versionText(), "ravo2 2.0.35");
}

TEST(CommandLine, ApplyingSetsFlagsAndSource)
{
    engine::CustomisationRequest request;
    request.windowsMode = WindowsMode::Nt9x;
    engine::applyCommandLine(parseCommandLine("-fp /a/ -fp /b/ -ii 3 -tc red"), request);
    EXPECT_EQ(request.targetFolders, (Folders{"/a/", "/b/"}));
    EXPECT_EQ(request.selectedFolder, "/b/");
    EXPECT_EQ(request.iconSource, engine::IconSource::Library);
    EXPECT_EQ(request.nameColour, 255u);
    EXPECT_FALSE(request.anythingToMake() || request.copyIcon);
    EXPECT_EQ(request.windowsMode, WindowsMode::Nt9x);
    engine::applyCommandLine(parseCommandLine("-ip i -tt t -pp p -wv xp -ci"), request);
    EXPECT_TRUE(request.makeIcon && request.makeInfoTip && request.makeBackground);
    EXPECT_TRUE(request.copyIcon);
    EXPECT_EQ(request.windowsMode, WindowsMode::Xp);
}
