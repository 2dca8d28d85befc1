// What a killed run leaves in a folder (a temporary beside the file it was replacing, under the
// name the folder's lock holder uses): the next run that replaces or removes that file finds it
// and removes the folder's stale temporaries, and says so when it cannot.
#include "tempfolder.h"

#include "engine/folderdresser.h"
#include "engine/folderio.h"
#include "engine/messages.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using testing_support::TempFolder;

namespace
{

enum class Kind { File, Link, Folder };

struct Planted {
    const char *name;
    Kind kind;
    bool removed; // by the run; everything else stays
};

const Planted kPlanted[] = {
    {".desktop.ini.000000000000~", Kind::File, true},
    {".desktop.ini.0123456789ab~", Kind::File, true},
    {".desktop.ini.fedcba987654~", Kind::File, true},
    {".desktop.ini.00000000000a~", Kind::Link, false},
    {".desktop.ini.00000000000b~", Kind::Folder, false},
    {".desktop.ini.0123456789AB~", Kind::File, false},
    {".desktop.ini.0123456789a~", Kind::File, false},
    {".desktop.ini.0123456789abc~", Kind::File, false},
    {"desktop.ini.0123456789ab~", Kind::File, false},
    {".desktop.ini.0123456789ab", Kind::File, false},
    {".other.ini.0123456789ab~", Kind::File, false},
};

void plant(const std::string &folder, const Planted &p, const std::string &outside)
{
    const std::string path = folder + "/" + p.name;
    if (p.kind == Kind::File)
        testing_support::writeTextFile(path, "left over");
    else if (p.kind == Kind::Link)
        std::filesystem::create_symlink(outside, path);
    else
        std::filesystem::create_directory(path);
}

engine::CustomisationRequest requestFor(const std::string &folder)
{
    engine::CustomisationRequest request;
    request.targetFolders = {folder + "/"};
    request.selectedFolder = folder + "/";
    request.makeIcon = true;
    request.iconPath = "C:\\i.ico";
    return request;
}

// Sets or clears the append-only flag of a folder; false where the file system or user cannot.
bool setAppendOnly(const std::string &folder, bool on)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        close(fd);
    return done;
}

} // namespace

TEST(Leftovers, DressingAndRemovingTakeAwayOnlyOurStaleTemporaries)
{
    for (const bool removing : {false, true}) {
        SCOPED_TRACE(removing ? "removing" : "dressing");
        TempFolder tmp;
        const std::string folder = tmp / "f", outside = tmp / "outside.txt";
        std::filesystem::create_directory(folder);
        testing_support::writeTextFile(outside, "precious");
        testing_support::writeTextFile(folder + "/desktop.ini", "old");
        for (const Planted &p : kPlanted)
            plant(folder, p, outside);
        engine::SystemFolderIo io;
        const auto request = requestFor(folder);
        if (removing)
            engine::delicon(request, "0", io);
        else
            ASSERT_FALSE(engine::makeicon(request, io).failed);
        for (const Planted &p : kPlanted) {
            struct stat info = {};
            const bool there = lstat((folder + "/" + p.name).c_str(), &info) == 0;
            EXPECT_EQ(there, !p.removed) << p.name;
        }
        EXPECT_EQ(std::filesystem::file_size(outside), 8u);
    }
}

TEST(Leftovers, AnAppendOnlyFolderSaysItsTemporaryStays)
{
    TempFolder tmp;
    const std::string folder = tmp / "f";
    std::filesystem::create_directory(folder);
    testing_support::writeTextFile(folder + "/desktop.ini", "old");
    if (!setAppendOnly(folder, true))
        GTEST_SKIP() << "cannot make " << folder << " append-only (needs root and ext4, xfs...)";
    engine::SystemFolderIo io;
    const engine::MakeIconResult result = engine::makeicon(requestFor(folder), io);
    setAppendOnly(folder, false);

    // The old file cannot be replaced there, nor the new one's temporary taken away again.
    ASSERT_TRUE(result.failed);
    EXPECT_EQ(result.failure.code, EPERM);
    bool named = false;
    std::size_t stayed = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name == "desktop.ini")
            continue;
        ++stayed;
        named = named || result.failure.message.find(name) != std::string::npos;
    }
    EXPECT_GT(stayed, 0u) << "no temporary stayed, so nothing is to be said";
    EXPECT_TRUE(named) << result.failure.message;
    // The sentence around the path, in whichever language the locale picks.
    const std::string sentence = engine::Messages::leftover("\x01", "");
    const std::size_t hole = sentence.find('\x01');
    EXPECT_NE(result.failure.message.find(sentence.substr(0, hole)), std::string::npos)
        << result.failure.message;
    EXPECT_NE(result.failure.message.find(sentence.substr(hole + 1)), std::string::npos)
        << result.failure.message;
    EXPECT_EQ(result.leftoverFailure.code, EPERM);
}

// A run that cannot take the folder's lock (another run, or the owner, holds it) writes under a
// random name. Were it killed, a later run must still find that name, though it lists a folder
// only when told to.
TEST(Leftovers, ARandomNamedTemporaryIsFoundByALaterRun)
{
    TempFolder tmp;
    const std::string folder = tmp / "f";
    std::filesystem::create_directory(folder);
    if (setxattr(folder.c_str(), "user.probe", "1", 1, 0) != 0)
        GTEST_SKIP() << "no user extended attributes under " << folder;
    testing_support::writeTextFile(folder + "/desktop.ini", "old");
    engine::SystemFolderIo io;
    const int holder = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    ASSERT_FALSE(engine::makeicon(requestFor(folder), io).failed);
    close(holder);
    // What that run would have left, killed before its rename.
    const std::string left = folder + "/.desktop.ini.0123456789ab~";
    testing_support::writeTextFile(left, "left over");
    ASSERT_FALSE(engine::makeicon(requestFor(folder), io).failed);
    EXPECT_FALSE(std::filesystem::exists(left));
}
