// Applying and removing on a disk that fails: no folder may lose its "desktop.ini" or keep half of
// one, and no temporary file may stay behind.
#include "childprocess.h"
#include "faultfolders.h"
#include "tempfolder.h"

#include "engine/desktopiniwriter.h"
#include "engine/folderdresser.h"
#include "engine/folderio.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "platform/folderdressing.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

using faults::FaultFolders;
using testing_support::TempFolder;
using State = FaultFolders::State;

namespace
{

constexpr int kCannotMount = 77;
constexpr int kCannotSwitchUser = 2;
constexpr int kCannotFilter = 78;

engine::CustomisationRequest requestFor(const std::vector<std::string> &folders)
{
    engine::CustomisationRequest request;
    request.targetFolders = folders;
    request.selectedFolder = folders.front();
    request.makeIcon = true;
    request.iconPath = "C:\\new\\icon.ico";
    request.makeInfoTip = true;
    request.infoTip = "new tip";
    return request;
}

std::string newBytes(const engine::CustomisationRequest &request)
{
    return *engine::DesktopIniWriter::bytes(request, platform::ansiCodePage());
}

// In a forked child gtest cannot record failures: they go to stderr and the exit status.
int report(const std::string &problems)
{
    if (problems.empty())
        return 0;
    std::fputs(problems.c_str(), stderr);
    return 1;
}

std::string failureProblems(const engine::MakeIconResult &result, const std::string &folder,
                            int code)
{
    if (result.failed && result.failedFolder == folder && result.failure.code == code)
        return {};
    return "expected a failure with error " + std::to_string(code) + " at " + folder + ", got " +
           (result.failed ? std::to_string(result.failure.code) + " at " + result.failedFolder
                          : std::string("none")) +
           "\n";
}

// Fills the file system until it is full, then gives back `pages` pages of 4 KiB.
bool leaveFreePages(const std::string &filler, off_t pages)
{
    const int fd = open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const std::string block(4096, 'x');
    off_t size = 0;
    for (ssize_t n; (n = write(fd, block.data(), block.size())) > 0;)
        size += n;
    const bool full = errno == ENOSPC;
    const bool shrunk = ftruncate(fd, size - (size % 4096) - pages * 4096) == 0;
    close(fd);
    return full && shrunk;
}

// Runs in a child with a private mount table, so the small file system goes with it.
int fullDiskRun(const std::string &mountPoint)
{
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
        mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        return kCannotMount;
    // Four folders with an old file, four without, four with: the new files of the empty ones
    // take the last free pages, so the run fails in the middle and its restart on the first.
    FaultFolders folders(mountPoint + "/targets", 12, faults::oldFilesExcept(12, {4, 5, 6, 7}));
    if (!leaveFreePages(mountPoint + "/filler", 2))
        return report("could not fill the file system\n");
    const auto request = requestFor(folders.paths());
    engine::SystemFolderIo io;
    const engine::MakeIconResult result = engine::makeicon(request, io);
    std::string problems = folders.check(newBytes(request));
    if (!result.failed || result.failure.code != ENOSPC)
        problems += "the run did not fail with ENOSPC\n";
    if (folders.countIn(State::New, newBytes(request)) == 0)
        problems += "nothing was written: the disk was full before the run\n";
    if (folders.state(11, newBytes(request)) != State::Old)
        problems += "the last folder was reached although the disk was full\n";
    return report(problems);
}

// Makes the run remove a later folder of its list while it writes into an earlier one.
class DeletingFolderIo : public engine::SystemFolderIo
{
public:
    DeletingFolderIo(std::string trigger, std::string victim)
        : m_trigger(std::move(trigger)), m_victim(std::move(victim))
    {
    }

    platform::FolderOutcome dressFolderKeeping(const std::string &folder,
                                               const platform::FileComposer &compose,
                                               std::uint32_t fileAttributes,
                                               std::uint32_t folderAttributes) override
    {
        if (folder == m_trigger)
            std::filesystem::remove_all(m_victim);
        return SystemFolderIo::dressFolderKeeping(folder, compose, fileAttributes,
                                                  folderAttributes);
    }

private:
    std::string m_trigger; // the folder whose dressing sets the deletion off
    std::string m_victim;  // the folder deleted then
};

// From here on this process is refused, as a Debian 12 kernel refuses them, the two calls newer
// kernels have: getxattrat (ENOSYS) and naming an open file without root (ENOENT).
bool refuseNewerCalls()
{
#if defined(__x86_64__)
    constexpr unsigned kGetXattrAt = 464;
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kGetXattrAt, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_linkat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[4])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, AT_EMPTY_PATH, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOENT),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
#else
    return false;
#endif
}

} // namespace

TEST(DiskFaults, FullDiskKeepsEveryOldFileAndLeavesNoTemporaryFile)
{
    TempFolder tmp;
    const int status = testing_support::runInChild([&] { return fullDiskRun(tmp.path()); });
    if (status == kCannotMount)
        GTEST_SKIP() << "cannot mount a private tmpfs here (needs root and mount rights)";
    EXPECT_EQ(status, 0) << "the child's findings are printed above";
}

TEST(DiskFaults, FolderWithoutWritePermissionFailsAndKeepsItsOldFile)
{
    TempFolder tmp;
    FaultFolders folders(tmp / "targets", 5, std::vector<bool>(5, true));
    // Root ignores permission bits: the run goes on as "nobody", who may write everywhere but in
    // folder 2 (still root's); an ordinary user gets folder 2 without its write bit instead.
    std::vector<std::string> owned{tmp.path(), tmp / "targets"};
    for (std::size_t i : {0, 1, 3, 4}) {
        owned.push_back(folders.folder(i));
        owned.push_back(folders.iniPath(i));
    }
    if (geteuid() != 0) {
        ASSERT_EQ(chmod(folders.folder(2).c_str(), 0555), 0);
    }
    const auto request = requestFor(folders.paths());
    const int status = testing_support::runAsOrdinaryUser(owned, [&] {
        engine::SystemFolderIo io;
        return report(failureProblems(engine::makeicon(request, io), folders.folder(2), EACCES));
    });
    chmod(folders.folder(2).c_str(), 0755);
    if (status == kCannotSwitchUser)
        GTEST_SKIP() << "cannot switch to the user nobody";
    EXPECT_EQ(status, 0) << "the child's findings are printed above";
    EXPECT_EQ(folders.check(newBytes(request)), "");
    EXPECT_EQ(folders.state(1, newBytes(request)), State::New);
    EXPECT_EQ(folders.state(2, newBytes(request)), State::Old);
    EXPECT_EQ(folders.state(3, newBytes(request)), State::Old);
}

// A read-only "desktop.ini" can be neither replaced nor removed.
TEST(DiskFaults, ReadOnlyDesktopIniSurvivesApplyingAndRemoving)
{
    TempFolder tmp;
    FaultFolders folders(tmp / "targets", 4, std::vector<bool>(4, true));
    ASSERT_TRUE(platform::setFileAttributes(folders.iniPath(1), platform::kAttrReadOnly).ok());
    const auto request = requestFor(folders.paths());
    engine::SystemFolderIo io;
    const engine::MakeIconResult result = engine::makeicon(request, io);
    EXPECT_EQ(failureProblems(result, folders.folder(1), EACCES), "");
    EXPECT_EQ(folders.check(newBytes(request)), "");
    EXPECT_EQ(folders.state(0, newBytes(request)), State::New);
    EXPECT_EQ(folders.state(1, newBytes(request)), State::Old);

    engine::delicon(request, "1", io);
    EXPECT_EQ(folders.state(1, newBytes(request)), State::Old);
    EXPECT_EQ(folders.state(0, newBytes(request)), State::None);
}

// Samba marks a file read-only in its attribute alone, keeping the write bits. On a kernel
// without the newer calls that attribute and the naming of new files go through /proc.
TEST(DiskFaults, OlderKernelRefusesTheSameReadOnlyFileAndWritesTheSameNewOnes)
{
    for (const bool older : {false, true}) {
        SCOPED_TRACE(older ? "older kernel" : "this kernel");
        TempFolder tmp;
        FaultFolders folders(tmp / "targets", 4, faults::oldFilesExcept(4, {0}));
        ASSERT_EQ(setxattr(folders.iniPath(2).c_str(), "user.DOSATTRIB", "0x1", 3, 0), 0);
        const auto request = requestFor(folders.paths());
        const int status = testing_support::runInChild([&] {
            if (older && !refuseNewerCalls())
                return kCannotFilter;
            engine::SystemFolderIo io;
            return report(
                failureProblems(engine::makeicon(request, io), folders.folder(2), EACCES));
        });
        if (status == kCannotFilter)
            GTEST_SKIP() << "cannot filter system calls here";
        EXPECT_EQ(status, 0) << "the child's findings are printed above";
        EXPECT_EQ(folders.check(newBytes(request)), "");
        for (std::size_t i : {0, 1})
            EXPECT_EQ(platform::getFileAttributes(folders.iniPath(i)), platform::kAttrHidden) << i;
        EXPECT_EQ(folders.state(2, newBytes(request)), State::Old);
    }
}

TEST(DiskFaults, FolderDeletedMidListStopsTheRunWithoutStrayFiles)
{
    TempFolder tmp;
    FaultFolders folders(tmp / "targets", 6, faults::oldFilesExcept(6, {3}));
    const auto request = requestFor(folders.paths());
    DeletingFolderIo io(folders.folder(1), folders.folder(3));
    const engine::MakeIconResult result = engine::makeicon(request, io);
    EXPECT_EQ(failureProblems(result, folders.folder(3), ENOENT), "");
    EXPECT_TRUE(result.restarted);
    EXPECT_FALSE(std::filesystem::exists(folders.folder(3)));
    EXPECT_EQ(folders.check(newBytes(request)), "");
    EXPECT_EQ(folders.countIn(State::New, newBytes(request)), 3u);
    EXPECT_EQ(folders.countIn(State::Old, newBytes(request)), 2u);
}

// A "desktop.ini" that is a link never lets the run write or remove what it points to.
TEST(DiskFaults, LinkedDesktopIniNeverReachesItsTarget)
{
    TempFolder tmp;
    FaultFolders folders(tmp / "targets", 2, std::vector<bool>(2, true));
    const std::string precious = tmp / "precious.txt";
    testing_support::writeTextFile(precious, "not a desktop.ini");
    for (const char *name : {"linked", "dangling"})
        std::filesystem::create_directory(tmp / name);
    std::filesystem::create_symlink(precious, tmp / "linked/desktop.ini");
    std::filesystem::create_symlink(tmp / "nowhere.txt", tmp / "dangling/desktop.ini");
    auto request =
        requestFor({folders.folder(0), tmp / "linked/", tmp / "dangling/", folders.folder(1)});
    engine::SystemFolderIo io;
    engine::makeicon(request, io);

    EXPECT_EQ(faults::fileBytes(precious), "not a desktop.ini");
    EXPECT_FALSE(std::filesystem::exists(tmp / "nowhere.txt"));
    for (const char *name : {"linked", "dangling"}) {
        const std::string ini = tmp / name + "/desktop.ini";
        EXPECT_TRUE(std::filesystem::is_symlink(ini) || faults::fileBytes(ini) == newBytes(request))
            << ini;
        EXPECT_EQ(testing_support::listFolder(tmp / name), "desktop.ini");
    }
    EXPECT_EQ(folders.check(newBytes(request)), "");

    engine::delicon(request, "1", io);
    EXPECT_EQ(faults::fileBytes(precious), "not a desktop.ini");
}

namespace
{

constexpr uid_t kNobody = 65534, kSomeoneElse = 12345;

struct LinkCase {
    const char *name;
    uid_t linkOwner; // of the link on the way to the folder and to the file read
    bool asNobody;   // the run is the user nobody's, not root's
    bool followed;
};

const LinkCase kLinkCases[] = {
    {"root's link, root's run", 0, false, true},
    {"a user's link, root's run", kNobody, false, false},
    {"the running user's own link", kNobody, true, true},
    {"root's link, a user's run", 0, true, true},
    {"another user's link, a user's run", kSomeoneElse, true, false},
};

// What went wrong with dressing "<link>/b/" and reading "<link>/b/icon.ico".
std::string linkProblems(const LinkCase &c, const std::string &through)
{
    const platform::FolderOutcome outcome = platform::dressFolder(
        through + "/b/", "desktop.ini", "new", platform::kAttrHidden, platform::kAttrReadOnly);
    std::string bytes;
    const platform::Status read = platform::readFile(through + "/b/icon.ico", bytes);
    const int wanted = c.followed ? 0 : ELOOP;
    std::string problems;
    if (outcome.file.code != wanted ||
        (!c.followed && outcome.file.message.find("symbolic link") == std::string::npos))
        problems += "dressing gave error " + std::to_string(outcome.file.code) + ": " +
                    outcome.file.message + "\n";
    if (read.code != wanted || bytes != (c.followed ? "icon" : ""))
        problems += "reading gave error " + std::to_string(read.code) + " and \"" + bytes + "\"\n";
    return problems;
}

} // namespace

// The owner of a folder on the way may put a link there to send a root run anywhere: only the
// links that root or the running user made are followed, for dressing and for reading.
TEST(DiskFaults, ALinkOnTheWayIsFollowedOnlyWhenRootOrTheRunningUserOwnsIt)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can make links that other users own";
    for (const LinkCase &c : kLinkCases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        ASSERT_EQ(chmod(tmp.path().c_str(), 0755), 0);
        const std::string docs = tmp / "other/docs", link = tmp / "a";
        std::filesystem::create_directories(docs + "/b");
        testing_support::writeTextFile(docs + "/b/icon.ico", "icon");
        std::filesystem::create_symlink(docs, link);
        ASSERT_EQ(lchown(link.c_str(), c.linkOwner, c.linkOwner), 0);
        const auto body = [&] { return report(linkProblems(c, link)); };
        const int status = c.asNobody ? testing_support::runAsOrdinaryUser({docs + "/b"}, body)
                                      : testing_support::runInChild(body);
        ASSERT_NE(status, kCannotSwitchUser) << "cannot switch to the user nobody";
        EXPECT_EQ(status, 0) << "the child's findings are printed above";
        EXPECT_EQ(std::filesystem::exists(docs + "/b/desktop.ini"), c.followed);
        if (&c == &kLinkCases[0]) { // a folder named through a link is refused, and says why
            const auto itself = platform::dressFolder(link + "/", "desktop.ini", "new", 0, 0);
            EXPECT_EQ(itself.file.code, ELOOP);
            EXPECT_NE(itself.file.message.find("Is a symbolic link"), std::string::npos);
        }
    }
}

namespace
{

struct OwnerCase {
    const char *name;
    mode_t umask;
    bool old; // another user's file is there already, mode 0640
    std::uint32_t attributes;
    uid_t owner; // the file's owner and group afterwards
    mode_t mode; // and its permissions
};

const OwnerCase kOwnerCases[] = {
    {"new, umask 022", 022, false, platform::kAttrHidden, kNobody, 0644},
    {"new, umask 077", 077, false, platform::kAttrHidden, kNobody, 0644},
    {"new and read-only", 077, false, platform::kAttrHidden | platform::kAttrReadOnly, kNobody,
     0444},
    {"replacing another user's file", 077, true, platform::kAttrHidden, kSomeoneElse, 0640},
};

} // namespace

// Root dressing a user's folder: the folder's owner may still change and read the file (the smbd
// serving them runs as them), and a file someone had stays theirs.
TEST(DiskFaults, RootGivesANewFileTheFoldersOwnerAndKeepsAnOldFilesOwner)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root may give files to other users";
    for (const OwnerCase &c : kOwnerCases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        const std::string ini = tmp / "desktop.ini";
        ASSERT_EQ(chown(tmp.path().c_str(), kNobody, kNobody), 0);
        if (c.old) {
            testing_support::writeTextFile(ini, "old");
            ASSERT_EQ(chown(ini.c_str(), kSomeoneElse, kSomeoneElse), 0);
            ASSERT_EQ(chmod(ini.c_str(), 0640), 0);
        }
        const mode_t previous = umask(c.umask);
        const platform::FolderOutcome outcome =
            platform::dressFolder(tmp.path(), "desktop.ini", "new", c.attributes, 0);
        umask(previous);
        ASSERT_TRUE(outcome.file.ok()) << outcome.file.message;
        struct stat info = {};
        ASSERT_EQ(lstat(ini.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, c.owner);
        EXPECT_EQ(info.st_gid, c.owner);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
    }
}
