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
