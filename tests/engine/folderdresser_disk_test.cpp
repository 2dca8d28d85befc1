#include "engine/desktopinireader.h"
#include "engine/folderdresser.h"
#include "engine/folderpaths.h"
#include "platform/attributes.h"
#include "platform/clientpaths.h"
#include "platform/filesystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace
{

fs::path pathOf(const std::string &utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string contentOf(const std::string &path)
{
    std::string bytes;
    return platform::readFile(path, bytes).ok() ? bytes : "<unreadable>";
}

// The attributes a test can count on: Wine keeps only the hidden and system bits it is given.
std::uint32_t comparable(std::uint32_t attributes)
{
#ifdef _WIN32
    return attributes & (platform::kAttrHidden | platform::kAttrSystem | platform::kAttrDirectory);
#else
    return attributes;
#endif
}

std::uint32_t attributesOf(const std::string &path)
{
    return comparable(platform::getFileAttributes(path));
}

std::size_t entriesIn(const std::string &folder)
{
    return std::distance(fs::directory_iterator(pathOf(folder)), fs::directory_iterator());
}

class DressingOnDisk : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root =
            fs::temp_directory_path() / ("ravo2-engine-" + std::to_string(std::random_device()()));
        const int code = platform::setFileAttributes(folder(""), platform::kAttrHidden).code;
        if (code == ENOTSUP || code == EOPNOTSUPP)
            GTEST_SKIP() << "no user extended attributes under " << m_root;
        m_request.makeIcon = m_request.makeInfoTip = true;
        m_request.iconPath = "C:\\Иконки\\папка.ico";
        m_request.iconIndex = "5";
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // A folder under the test's root, ending with the separator as the folder box holds it.
    std::string folder(const std::string &name, bool create = true)
    {
        const fs::path path = m_root / pathOf(name);
        if (create)
            fs::create_directories(path);
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end()) + platform::nativeSeparator();
    }

    engine::MakeIconResult dress(std::vector<std::string> folders)
    {
        m_request.targetFolders = std::move(folders);
        return engine::makeicon(m_request, m_io);
    }

    static void putFile(const std::string &path, std::uint32_t attributes)
    {
        std::ofstream(pathOf(path)) << "kept";
        ASSERT_TRUE(platform::setFileAttributes(path, attributes).ok());
    }

    fs::path m_root; // removed with everything in it after each test
    engine::CustomisationRequest m_request;
    engine::SystemFolderIo m_io;
};

} // namespace

TEST_F(DressingOnDisk, OnlyTheManagedBitsChangeAndOthersKeysKeepTheFile)
{
    const std::string blanks = folder("with blanks"), cyr = folder("Фото"), greek = folder("Ωμέγα");
    ASSERT_TRUE(platform::setFileAttributes(blanks, 0x22).ok());
    putFile(cyr + "desktop.ini", platform::kAttrHidden | platform::kAttrSystem);
    const auto result = dress({blanks, cyr, greek});
    ASSERT_FALSE(result.failed) << result.failure.message;
    EXPECT_TRUE(result.attributeFailure.ok()) << result.attributeFailure.message;
    // Hidden and archive of the folder stay; the old file's system bit stays on the new one.
    const std::uint32_t folderBits[] = {0x33, 0x11, 0x11}, fileBits[] = {0x2, 0x6, 0x2};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string &f = m_request.targetFolders[i];
        EXPECT_EQ(attributesOf(f + "desktop.ini"), comparable(fileBits[i])) << f;
        EXPECT_EQ(attributesOf(f), comparable(folderBits[i])) << f;
    }
    EXPECT_EQ(engine::readfolderini(cyr, "0").iconPath, m_request.iconPath);
    m_request.windowsMode = engine::WindowsMode::Nt9x;
    ASSERT_FALSE(dress({blanks}).failed);
    EXPECT_EQ(attributesOf(blanks), comparable(0x37));

    // The line the program did not write keeps the file, and the folder its read-only bit.
    m_request.targetFolders = {blanks, cyr};
    engine::delicon(m_request, "1", m_io);
    EXPECT_EQ(entriesIn(blanks), 0u);
    EXPECT_EQ(attributesOf(blanks), comparable(0x32));
    EXPECT_EQ(contentOf(cyr + "desktop.ini"), "kept\r\n");
    EXPECT_EQ(attributesOf(cyr), comparable(0x11));
}

TEST_F(DressingOnDisk, AReadOnlyFileOrAMissingFolderFailsTheRun)
{
    const std::string a = folder("a"), b = folder("b"), c = folder("c");
    putFile(b + "desktop.ini", platform::kAttrReadOnly);
    const auto readOnly = dress({a, b, c});
    EXPECT_TRUE(readOnly.failed && readOnly.restarted);
    EXPECT_EQ(readOnly.failedFolder, b);
    EXPECT_EQ(contentOf(b + "desktop.ini"), "kept");
    EXPECT_EQ(entriesIn(a) + entriesIn(b) + entriesIn(c), 2u);

    const std::string missing = folder("gone", false);
    const auto result = dress({a, missing, c});
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.failedFolder, missing);
    EXPECT_EQ(entriesIn(c) + entriesIn(folder("")), 3u);
}

TEST_F(DressingOnDisk, ASymbolicLinkInPlaceOfTheFileIsRefused)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#endif
    const std::string a = folder("a");
    std::ofstream(m_root / "target.txt") << "precious";
    fs::create_symlink(m_root / "target.txt", pathOf(a + "desktop.ini"));
    EXPECT_TRUE(dress({a}).failed);
    EXPECT_EQ(contentOf((m_root / "target.txt").string()), "precious");
    EXPECT_TRUE(fs::is_symlink(pathOf(a + "desktop.ini")));
}

TEST_F(DressingOnDisk, AFolderWithoutItsSeparatorGetsTheFileInside)
{
    std::string f = folder("bare");
    f.pop_back();
    ASSERT_FALSE(dress({f}).failed);
    EXPECT_EQ(entriesIn(f), 1u);
    EXPECT_EQ(entriesIn(folder("")), 1u);
    m_request.selectedFolder = f;
    engine::delicon(m_request, "0", m_io);
    EXPECT_EQ(entriesIn(f), 0u);
}

TEST_F(DressingOnDisk, EachFolderNamesItsIconForItsOwnReadersAndWarnsOnceOfFilesOffTheShare)
{
    if (!platform::writesClientPaths())
        GTEST_SKIP() << "the Windows build writes the paths as chosen";
    const std::string near = folder("share/Фото"), deep = folder("share/a/b");
    std::string share = folder("share");
    share.pop_back();
    const std::string icon = share + "/icons/i.ico", picture = folder("elsewhere") + "p.bmp";
    m_request.iconPath = icon;
    m_request.makeBackground = true;
    m_request.picturePath = picture;
    m_request.targetFolders = {near, deep};
    int asked = 0;
    const auto samba = [&]() -> std::optional<std::string> {
        ++asked;
        return "[global]\n\tpath = /\n[share]\n\tpath = " + share + "\n";
    };
    engine::MakeIconResult result = engine::makeicon(m_request, m_io, {}, samba);
    ASSERT_FALSE(result.failed) << result.failure.message;
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(result.pathWarnings.size(), 2u);
    EXPECT_NE(result.pathWarnings[0].find(near), std::string::npos) << result.pathWarnings[0];
    EXPECT_NE(result.pathWarnings[1].find(deep), std::string::npos) << result.pathWarnings[1];
    const std::string nearFile = contentOf(near + "desktop.ini");
    EXPECT_NE(nearFile.find("IconFile=..\\icons\\i.ico\r\n"), std::string::npos) << nearFile;
    EXPECT_NE(contentOf(deep + "desktop.ini").find("IconFile=..\\..\\icons\\i.ico\r\n"),
              std::string::npos);
    EXPECT_NE(nearFile.find("IconArea_Image=..\\..\\elsewhere\\p.bmp\r\n"), std::string::npos);

    // What a folder's file gives back, applied again, writes the same bytes.
    const engine::FolderIniOutcome read = engine::readfolderini(deep, "0");
    EXPECT_EQ(read.iconPath, icon);
    m_request.iconPath = read.iconPath.value_or("");
    const std::string before = contentOf(deep + "desktop.ini");
    ASSERT_FALSE(engine::makeicon(m_request, m_io, {}, samba).failed);
    EXPECT_EQ(contentOf(deep + "desktop.ini"), before);
}
