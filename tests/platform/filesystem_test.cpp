#include "childprocess.h"
#include "platform/attributes.h"
#include "platform/filesystem.h"
#include "tempfolder.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testing_support::listFolder;
using testing_support::runAsOrdinaryUser;
using testing_support::TempFolder;
using testing_support::writeTextFile;

namespace
{

std::string contentOf(const std::string &path)
{
    std::string bytes;
    const Status status = readFile(path, bytes);
    return status.ok() ? bytes : "<" + status.message + ">";
}

mode_t modeOf(const std::string &path)
{
    struct stat info = {};
    lstat(path.c_str(), &info);
    return info.st_mode;
}

class FileSystem : public ::testing::Test
{
protected:
    TempFolder m_root;
    std::string m_ini = m_root / "desktop.ini";
    std::string m_target = m_root / "target.txt";
};

} // namespace

TEST_F(FileSystem, KindsOfPaths)
{
    writeTextFile(m_target, "t");
    ASSERT_EQ(symlink(m_root.path().c_str(), (m_root / "loop").c_str()), 0);
    EXPECT_TRUE(isDirectory(m_root.path()));
    EXPECT_TRUE(isDirectory(m_root / "loop"));
    EXPECT_FALSE(isDirectory(m_target));
    EXPECT_FALSE(isDirectory(""));
    EXPECT_TRUE(isSymbolicLink(m_root / "loop"));
    EXPECT_TRUE(isSymbolicLink(m_root / "loop/"));
    EXPECT_FALSE(isSymbolicLink(m_root.path()));
    EXPECT_FALSE(isSymbolicLink(m_root / "missing"));
}

TEST_F(FileSystem, DeleteRefusesReadOnlyAsWindowsDoes)
{
    EXPECT_EQ(deleteFile(m_ini).code, ENOENT);
    writeTextFile(m_ini, "old");
    ASSERT_TRUE(setFileAttributes(m_ini, kAttrReadOnly | kAttrHidden).ok());
    EXPECT_EQ(deleteFile(m_ini).code, EACCES);
    EXPECT_EQ(contentOf(m_ini), "old");

    chmod(m_ini.c_str(), 0644); // read-only kept in the stored attributes alone
    EXPECT_EQ(deleteFile(m_ini).code, EACCES);

    ASSERT_TRUE(setFileAttributes(m_ini, kAttrHidden).ok());
    EXPECT_TRUE(deleteFile(m_ini).ok());
    EXPECT_EQ(listFolder(m_root.path()), "");
}

TEST_F(FileSystem, DeleteRemovesLinkNotTarget)
{
    writeTextFile(m_target, "keep");
    ASSERT_TRUE(setFileAttributes(m_target, kAttrReadOnly).ok());
    ASSERT_EQ(symlink(m_target.c_str(), m_ini.c_str()), 0);
    EXPECT_TRUE(deleteFile(m_ini).ok());
    EXPECT_EQ(contentOf(m_target), "keep");

    ASSERT_EQ(symlink("missing", m_ini.c_str()), 0);
    EXPECT_TRUE(deleteFile(m_ini).ok());
    EXPECT_EQ(listFolder(m_root.path()), "target.txt");
}

TEST_F(FileSystem, ReplaceWritesWholeFileWithUmaskMode)
{
    const mode_t previous = umask(027);
    const Status created = replaceFile(m_ini, std::string("a\0b\r\n", 5));
    umask(previous);
    ASSERT_TRUE(created.ok()) << created.message;
    EXPECT_EQ(contentOf(m_ini), std::string("a\0b\r\n", 5));
    EXPECT_EQ(modeOf(m_ini) & 0777, 0640u);

    std::string big(3 * 1024 * 1024 + 7, 'x');
    big.back() = 'y';
    ASSERT_TRUE(replaceFile(m_ini, big).ok());
    EXPECT_EQ(contentOf(m_ini), big);
    ASSERT_TRUE(replaceFile(m_ini, "").ok());
    EXPECT_EQ(contentOf(m_ini), "");
    EXPECT_EQ(listFolder(m_root.path()), "desktop.ini");
}

TEST_F(FileSystem, ReplaceRefusesReadOnlyFolderAndMissingFolder)
{
    writeTextFile(m_ini, "old");
    ASSERT_TRUE(setFileAttributes(m_ini, kAttrReadOnly).ok());
    EXPECT_EQ(replaceFile(m_ini, "new").code, EACCES);
    EXPECT_EQ(contentOf(m_ini), "old");

    ASSERT_EQ(mkdir((m_root / "sub").c_str(), 0755), 0);
    EXPECT_EQ(replaceFile(m_root / "sub", "new").code, EISDIR);
    EXPECT_EQ(replaceFile(m_root / "absent/desktop.ini", "new").code, ENOENT);
    EXPECT_FALSE(replaceFile("", "new").ok());
    EXPECT_EQ(listFolder(m_root.path()), "desktop.ini sub");
    EXPECT_EQ(listFolder(m_root / "sub"), "");
}

TEST_F(FileSystem, ReplaceRefusesSymbolicLink)
{
    writeTextFile(m_target, "target");
    ASSERT_EQ(symlink(m_target.c_str(), m_ini.c_str()), 0);
    EXPECT_EQ(replaceFile(m_ini, "new").code, ELOOP);
    EXPECT_TRUE(isSymbolicLink(m_ini));
    EXPECT_EQ(contentOf(m_target), "target");

    ASSERT_EQ(unlink(m_ini.c_str()), 0);
    ASSERT_EQ(symlink((m_root / "created-through-link").c_str(), m_ini.c_str()), 0);
    EXPECT_EQ(replaceFile(m_ini, "new").code, ELOOP);
    EXPECT_EQ(listFolder(m_root.path()), "desktop.ini target.txt");
}

TEST_F(FileSystem, ReplaceOfRelativeName)
{
    char previous[PATH_MAX];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(m_root.path().c_str()), 0);
    const Status status = replaceFile("desktop.ini", "here");
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_TRUE(status.ok()) << status.message;
    EXPECT_EQ(contentOf(m_ini), "here");
    EXPECT_EQ(listFolder(m_root.path()), "desktop.ini");
}

// A file size limit makes write() stop part-way, as a full disk does.
TEST_F(FileSystem, FailedWriteKeepsOldContentAndLeavesNoTemporaryFile)
{
    writeTextFile(m_ini, "old content");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = replaceFile(m_ini, std::string(10000, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(status.code, EFBIG);
    EXPECT_FALSE(status.message.empty());
    EXPECT_EQ(contentOf(m_ini), "old content");
    EXPECT_EQ(listFolder(m_root.path()), "desktop.ini");
}

// Root may write anywhere, so an unwritable folder is tried as an ordinary user.
TEST_F(FileSystem, ReplaceKeepsTheOldFilesPermissions)
{
    writeTextFile(m_ini, "old");
    ASSERT_EQ(chmod(m_ini.c_str(), 0664), 0);
    const mode_t previous = umask(022);
    const Status replaced = replaceFile(m_ini, "new");
    umask(previous);
    ASSERT_TRUE(replaced.ok()) << replaced.message;
    EXPECT_EQ(contentOf(m_ini), "new");
    EXPECT_EQ(modeOf(m_ini) & 07777, 0664u); // not the umask's 0644
}

TEST_F(FileSystem, ReplaceAsRootKeepsTheOldFilesOwner)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    writeTextFile(m_ini, "old");
    constexpr uid_t kNobody = 65534;
    ASSERT_EQ(chown(m_ini.c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(replaceFile(m_ini, "new").ok());
    struct stat info = {};
    ASSERT_EQ(lstat(m_ini.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
    EXPECT_EQ(contentOf(m_ini), "new");
}

TEST_F(FileSystem, UnwritableFolderFailsCleanly)
{
    writeTextFile(m_ini, "old");
    const int result = runAsOrdinaryUser({m_root.path(), m_ini}, [&] {
        if (chmod(m_root.path().c_str(), 0555) != 0)
            return 1;
        const Status status = replaceFile(m_ini, "new");
        chmod(m_root.path().c_str(), 0755);
        return status.code == EACCES && contentOf(m_ini) == "old" ? 0 : 1;
    });
    if (result == 2)
        GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(listFolder(m_root.path()), "desktop.ini");
}

TEST_F(FileSystem, ReadFileFailures)
{
    std::string bytes = "stale";
    EXPECT_EQ(readFile(m_root / "missing", bytes).code, ENOENT);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(readFile(m_root.path(), bytes).code, EISDIR);

    // Neither may hang the reader or read for ever; the alarm ends the test if one does.
    ASSERT_EQ(mkfifo(m_ini.c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", m_target.c_str()), 0);
    alarm(10);
    EXPECT_EQ(readFile(m_ini, bytes).code, EINVAL);
    EXPECT_EQ(readFile(m_target, bytes).code, EINVAL);
    alarm(0);
    EXPECT_EQ(bytes, "");
}
