// The icon and picture copied into each dressed folder, on disk.

#include "engine/desktopinireader.h"
#include "engine/dryrunfolderio.h"
#include "engine/folderdresser.h"
#include "engine/sha256.h"
#include "platform/attributes.h"
#include "platform/filesystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

// Not a module ("MZ"), so it is copied as it is.
const std::string kIcon("\0\0\1\0icon one", 12);
// sha256sum of kIcon, its first 12 digits.
const std::string kIconCopy = ".icon-ff7428a2266c.ico";

fs::path pathOf(const std::string &utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string contentOf(const std::string &path)
{
    std::string bytes;
    return platform::readFile(path, bytes).ok() ? bytes : "<unreadable>";
}

void put(const std::string &path, const std::string &bytes)
{
    std::ofstream(pathOf(path), std::ios::binary) << bytes;
}

class CopiedIcons : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root =
            fs::temp_directory_path() / ("ravo2-copies-" + std::to_string(std::random_device()()));
        const int code = platform::setFileAttributes(folder(""), platform::kAttrHidden).code;
        if (code == ENOTSUP || code == EOPNOTSUPP)
            GTEST_SKIP() << "no user extended attributes under " << m_root;
        m_icon = folder("icons") + "Папка.ICO";
        put(m_icon, kIcon);
        m_request.makeIcon = m_request.copyIcon = true;
        m_request.iconPath = m_icon;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    std::string folder(const std::string &name)
    {
        const fs::path path = m_root / pathOf(name);
        fs::create_directories(path);
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end()) + platform::nativeSeparator();
    }

    engine::MakeIconResult dress(std::vector<std::string> folders)
    {
        m_request.targetFolders = std::move(folders);
        return engine::makeicon(m_request, m_io);
    }

    // Every entry of the folder with its bytes, and but for desktop.ini its time of change.
    static std::string state(const std::string &folder)
    {
        std::set<std::string> entries;
        for (const auto &entry : fs::directory_iterator(pathOf(folder))) {
            const std::u8string name = entry.path().filename().u8string();
            const std::string text(name.begin(), name.end());
            // Every run writes desktop.ini anew; nothing else may be rewritten.
            const auto time = entry.last_write_time().time_since_epoch().count();
            entries.insert(text + "=" + contentOf(entry.path().string()) +
                           (text == "desktop.ini" ? "" : " @" + std::to_string(time)));
        }
        std::string text;
        for (const std::string &entry : entries)
            text += entry + "\n";
        return text;
    }

    fs::path m_root;
    std::string m_icon; // the chosen icon file, outside the folders
    engine::CustomisationRequest m_request;
    engine::SystemFolderIo m_io;
};

} // namespace

TEST_F(CopiedIcons, EachFolderGetsAHiddenByteEqualCopyThatReadsBackAndIsNotWrittenTwice)
{
    EXPECT_EQ(engine::sha256Hex(kIcon).substr(0, 12), kIconCopy.substr(6, 12));
    const std::string a = folder("a"), b = folder("Фото");
    const auto result = dress({a, b});
    ASSERT_FALSE(result.failed) << result.failure.message;
    for (const std::string &f : {a, b}) {
        EXPECT_EQ(contentOf(f + kIconCopy), kIcon) << f;
        EXPECT_EQ(platform::getFileAttributes(f + kIconCopy) & platform::kAttrHidden,
                  platform::kAttrHidden);
        EXPECT_NE(contentOf(f + "desktop.ini").find("IconFile=" + kIconCopy + "\r\n"),
                  std::string::npos);
    }
    EXPECT_EQ(contentOf(m_icon), kIcon);

    // Read back, the icon is the copy inside the folder; applied again nothing changes.
    const engine::FolderIniOutcome read = engine::readfolderini(b, "0");
    EXPECT_EQ(read.iconPath, b + kIconCopy);
    m_request.iconPath = read.iconPath.value_or("");
    const std::string before = state(b);
    ASSERT_FALSE(dress({b}).failed);
    EXPECT_EQ(state(b), before);
}

TEST_F(CopiedIcons, ANewIconTakesANewNameAndOnlyTheCopyTheOldFileNamedGoes)
{
    const std::string a = folder("a");
    const std::string stranger = ".icon-0123456789ab.ico"; // our pattern, named by nothing
    put(a + stranger, "someone's");
    ASSERT_FALSE(dress({a}).failed);
    put(m_icon, std::string("\0\0\1\0icon two", 12));
    ASSERT_FALSE(dress({a}).failed);
    const std::string newCopy =
        ".icon-" + engine::sha256Hex(contentOf(m_icon)).substr(0, 12) + ".ico";
    EXPECT_FALSE(fs::exists(pathOf(a + kIconCopy)));
    EXPECT_EQ(contentOf(a + newCopy), contentOf(m_icon));
    EXPECT_EQ(contentOf(a + stranger), "someone's");
    // Without the option the icon chosen from inside the folder keeps its copy.
    m_request.copyIcon = false;
    m_request.iconPath = a + newCopy;
    ASSERT_FALSE(dress({a}).failed);
    EXPECT_EQ(contentOf(a + newCopy), contentOf(m_icon));
}

TEST_F(CopiedIcons, RemovalLeavesTheFolderAsItWas)
{
    const std::string a = folder("a");
    put(a + "notes.txt", "mine");
    put(a + ".icon-0123456789ab.ico", "not named by the dressing");
    const std::string before = state(a);
    m_request.makeBackground = true;
    m_request.picturePath = m_root.string() + "/icons/фон.BMP";
    put(m_request.picturePath, "BM picture");
    ASSERT_FALSE(dress({a}).failed);
    const std::string picture =
        ".picture-" + engine::sha256Hex("BM picture").substr(0, 12) + ".bmp";
    EXPECT_EQ(contentOf(a + picture), "BM picture");
    EXPECT_NE(contentOf(a + "desktop.ini").find("IconArea_Image=" + picture + "\r\n"),
              std::string::npos);
    engine::delicon(m_request, "1", m_io);
    EXPECT_EQ(state(a), before);
}

TEST_F(CopiedIcons, ADryRunShowsTheCopyAndWritesNothing)
{
    const std::string a = folder("a");
    std::ostringstream shown;
    engine::DryRunFolderIo dry(shown);
    m_request.targetFolders = {a};
    ASSERT_FALSE(engine::makeicon(m_request, dry).failed);
    EXPECT_TRUE(fs::is_empty(pathOf(a)));
    EXPECT_NE(shown.str().find(a + kIconCopy), std::string::npos) << shown.str();
}

TEST_F(CopiedIcons, ALinkInPlaceOfTheCopyIsNeverWrittenThrough)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#endif
    const std::string a = folder("a");
    const std::string target = m_root.string() + "/precious";
    put(target, "precious");
    fs::create_symlink(target, pathOf(a + kIconCopy));
    EXPECT_TRUE(dress({a}).failed);
    EXPECT_EQ(contentOf(target), "precious");
    EXPECT_TRUE(fs::is_symlink(pathOf(a + kIconCopy)));
    EXPECT_FALSE(fs::exists(pathOf(a + "desktop.ini")));
}

TEST_F(CopiedIcons, WhatCannotBeCopiedFailsBeforeAnyFolderIsTouchedAndOwnSidePathsStay)
{
    const std::string a = folder("a");
    const struct {
        std::string icon, index;
        bool fails;
        std::string written; // IconFile when the run succeeds
    } cases[] = {
        {m_root.string() + "/missing.ico", "0", true, ""},
        {m_icon + ".dll", "1", true, ""}, // a module without that icon
        {"%SystemRoot%\\system32\\shell32.dll", "3", false, "%SystemRoot%\\system32\\shell32.dll"},
    };
    put(m_icon + ".dll", "MZ but no icons");
    for (const auto &c : cases) {
        m_request.iconPath = c.icon;
        m_request.iconIndex = c.index;
        const auto result = dress({a});
        EXPECT_EQ(result.failed, c.fails) << c.icon;
        if (c.fails) {
            EXPECT_NE(result.failure.message.find(c.icon), std::string::npos)
                << result.failure.message;
            EXPECT_TRUE(fs::is_empty(pathOf(a))) << c.icon;
        } else {
            EXPECT_NE(
                contentOf(a + "desktop.ini").find("IconFile=" + c.written + "\r\nIconIndex=3"),
                std::string::npos);
        }
    }
}

TEST(Sha256, DigestsAtTheBlockBoundaries)
{
    const struct {
        std::string text;
        const char *digest; // sha256sum's
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(63, 'a'), "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(119, 'a'), "31eba51c313a5c08226adf18d4a359cfdfd8d2e816b13f4af952f7ea6584dcfb"},
        {std::string(120, 'a'), "2f3d335432c70b580af0e8e1b3674a7c020d683aa5f73aaaedfdc55af904c21c"},
        {std::string(1000, 'a'),
         "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(engine::sha256Hex(c.text), c.digest) << c.text.size();
}
