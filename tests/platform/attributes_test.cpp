#include "childprocess.h"
#include "platform/attributes.h"
#include "tempfolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace platform;
using testing_support::runAsOrdinaryUser;
using testing_support::runInChild;
using testing_support::TempFolder;
using testing_support::writeTextFile;

namespace
{

std::optional<std::string> storedBytes(const std::string &path)
{
    char buffer[256];
    const ssize_t size = getxattr(path.c_str(), "user.DOSATTRIB", buffer, sizeof buffer);
    if (size < 0)
        return std::nullopt;
    return std::string(buffer, std::size_t(size));
}

mode_t permissions(const std::string &path)
{
    struct stat info = {};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

void store(const std::string &path, const std::string &bytes)
{
    ASSERT_EQ(setxattr(path.c_str(), "user.DOSATTRIB", bytes.data(), bytes.size(), 0), 0);
}

class Attributes : public ::testing::Test
{
protected:
    TempFolder m_root;
    std::string m_file = m_root / "desktop.ini";
    std::string m_folder = m_root / "Папка";

    void SetUp() override
    {
        writeTextFile(m_file, "[.ShellClassInfo]\r\n");
        chmod(m_file.c_str(), 0664);
        ASSERT_EQ(mkdir(m_folder.c_str(), 0755), 0);
    }
};

} // namespace

TEST_F(Attributes, NothingThereIsInvalid)
{
    EXPECT_EQ(getFileAttributes(""), kInvalidAttributes);
    EXPECT_EQ(getFileAttributes(m_root / "missing"), kInvalidAttributes);
    EXPECT_EQ(getFileAttributes(m_file + "/"), kInvalidAttributes);
    EXPECT_EQ(setFileAttributes(m_root / "missing", kAttrHidden).code, ENOENT);
    EXPECT_FALSE(setFileAttributes("", kAttrHidden).ok());
}

TEST_F(Attributes, WithoutStoredValueFromTheFileKindAndWriteBits)
{
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory);
    EXPECT_EQ(getFileAttributes(m_folder + "/"), kAttrDirectory);
    EXPECT_EQ(getFileAttributes(m_file), kAttrArchive);
    chmod(m_file.c_str(), 0444);
    EXPECT_EQ(getFileAttributes(m_file), kAttrArchive | kAttrReadOnly);
    chmod(m_folder.c_str(), 0555);
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory);
}

TEST_F(Attributes, StoredAsTextAndRemovedByNormal)
{
    ASSERT_TRUE(setFileAttributes(m_file, kAttrHidden).ok());
    EXPECT_EQ(storedBytes(m_file), "0x2");
    EXPECT_EQ(getFileAttributes(m_file), kAttrHidden);

    ASSERT_TRUE(setFileAttributes(m_folder, kAttrReadOnly | kAttrSystem).ok());
    EXPECT_EQ(storedBytes(m_folder), "0x5");
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory | kAttrReadOnly | kAttrSystem);
    ASSERT_TRUE(setFileAttributes(m_folder, kAttrDirectory | kAttrReadOnly).ok());
    EXPECT_EQ(storedBytes(m_folder), "0x1");

    ASSERT_TRUE(setFileAttributes(m_folder, kAttrNormal).ok());
    EXPECT_EQ(storedBytes(m_folder), std::nullopt);
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory);
    ASSERT_TRUE(setFileAttributes(m_file, kAttrNormal).ok());
    EXPECT_EQ(storedBytes(m_file), std::nullopt);
    EXPECT_TRUE(setFileAttributes(m_file, kAttrNormal).ok()) << "removing twice is no failure";
}

TEST_F(Attributes, ReadOnlyFileLosesEveryWriteBitAndGetsOwnerWriteBack)
{
    ASSERT_TRUE(setFileAttributes(m_file, kAttrReadOnly | kAttrHidden).ok());
    EXPECT_EQ(permissions(m_file), 0444u);
    EXPECT_EQ(storedBytes(m_file), "0x3");
    EXPECT_EQ(getFileAttributes(m_file), kAttrReadOnly | kAttrHidden);

    ASSERT_TRUE(setFileAttributes(m_file, kAttrHidden).ok());
    EXPECT_EQ(permissions(m_file), 0644u);
    EXPECT_EQ(getFileAttributes(m_file), kAttrHidden);

    chmod(m_file.c_str(), 0660);
    ASSERT_TRUE(setFileAttributes(m_file, kAttrNormal).ok());
    EXPECT_EQ(permissions(m_file), 0660u) << "writable files keep their bits";
}

TEST_F(Attributes, FolderPermissionsNeverChange)
{
    ASSERT_TRUE(setFileAttributes(m_folder, kAttrReadOnly).ok());
    EXPECT_EQ(permissions(m_folder), 0755u);
    chmod(m_folder.c_str(), 0555);
    ASSERT_TRUE(setFileAttributes(m_folder, kAttrNormal).ok());
    EXPECT_EQ(permissions(m_folder), 0555u);
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory);
}

TEST_F(Attributes, ValuesStoredByOtherWriters)
{
    store(m_file, std::string("0x22\0", 5));
    EXPECT_EQ(getFileAttributes(m_file), 0x22u);
    store(m_file, "not attributes");
    EXPECT_EQ(getFileAttributes(m_file), kAttrArchive);
    store(m_file, "0x0");
    EXPECT_EQ(getFileAttributes(m_file), kAttrNormal);
    store(m_file, "0x12"); // a directory bit stored for a file is not believed
    EXPECT_EQ(getFileAttributes(m_file), kAttrHidden);
    store(m_folder, "0x10");
    EXPECT_EQ(getFileAttributes(m_folder), kAttrDirectory);
}

// The kernel grants user attributes to a file's owner only while the file is writable.
TEST_F(Attributes, OrdinaryOwnerCanRedressReadOnlyFile)
{
    const int result = runAsOrdinaryUser({m_root.path(), m_file}, [&] {
        if (!setFileAttributes(m_file, kAttrReadOnly).ok())
            return 1;
        if (!setFileAttributes(m_file, kAttrReadOnly | kAttrHidden).ok())
            return 1;
        if (permissions(m_file) != 0444 || storedBytes(m_file) != "0x3")
            return 1;
        if (!setFileAttributes(m_file, kAttrHidden).ok())
            return 1;
        return permissions(m_file) == 0644 && storedBytes(m_file) == "0x2" ? 0 : 1;
    });
    if (result == 2)
        GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_EQ(result, 0);
}

// ramfs keeps no user attributes, like vfat and some network mounts.
TEST_F(Attributes, FilesystemWithoutUserAttributes)
{
    const std::string mountPoint = m_root / "ramfs";
    ASSERT_EQ(mkdir(mountPoint.c_str(), 0755), 0);
    const int result = runInChild([&] {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
            mount("none", mountPoint.c_str(), "ramfs", 0, nullptr) != 0)
            return 2;
        const std::string file = mountPoint + "/desktop.ini";
        writeTextFile(file, "x");
        chmod(file.c_str(), 0644);
        const Status hidden = setFileAttributes(file, kAttrHidden | kAttrReadOnly);
        if (hidden.code != ENOTSUP && hidden.code != EOPNOTSUPP)
            return 1;
        if (permissions(file) != 0644) // a refused value changes nothing
            return 1;
        return setFileAttributes(file, kAttrNormal).ok() && getFileAttributes(file) == kAttrArchive
                   ? 0
                   : 1;
    });
    if (result == 2)
        GTEST_SKIP() << "cannot mount ramfs in a private mount namespace here";
    EXPECT_EQ(result, 0);
}
