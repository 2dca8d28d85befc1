// A folder's owner swaps a link in right after the run puts "desktop.ini" in place or deletes it:
// what the link points to must keep its mode and its attributes. The swap is made from inside the
// file system calls themselves, so it lands in that moment on every run.
#include "tempfolder.h"

#include "engine/folderdresser.h"
#include "engine/folderio.h"
#include "platform/dosattrib.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <string_view>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using testing_support::TempFolder;

namespace
{

std::function<void()> g_swap; // what the folder's owner does in that moment; empty: nothing
bool g_swapping = false;      // the swap's own calls are not watched

template <typename Function> Function real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// Runs the swap once a call has just put "desktop.ini" in place or taken it away.
int watched(int result, const char *name)
{
    const std::string_view entry(name);
    if (result != 0 || !g_swap || g_swapping || !entry.ends_with("desktop.ini"))
        return result;
    g_swapping = true;
    std::exchange(g_swap, nullptr)();
    g_swapping = false;
    return result;
}

} // namespace

extern "C" int rename(const char *from, const char *to) noexcept
{
    static const auto call = real<int (*)(const char *, const char *)>("rename");
    return watched(call(from, to), to);
}

extern "C" int renameat(int fromFolder, const char *from, int toFolder, const char *to) noexcept
{
    static const auto call = real<int (*)(int, const char *, int, const char *)>("renameat");
    return watched(call(fromFolder, from, toFolder, to), to);
}

extern "C" int linkat(int fromFolder, const char *from, int toFolder, const char *to,
                      int flags) noexcept
{
    static const auto call = real<int (*)(int, const char *, int, const char *, int)>("linkat");
    return watched(call(fromFolder, from, toFolder, to, flags), to);
}

extern "C" int unlink(const char *path) noexcept
{
    static const auto call = real<int (*)(const char *)>("unlink");
    return watched(call(path), path);
}

extern "C" int unlinkat(int folder, const char *name, int flags) noexcept
{
    static const auto call = real<int (*)(int, const char *, int)>("unlinkat");
    return watched(call(folder, name, flags), name);
}

namespace
{

// The stored attribute text of a path itself, "" when it has none.
std::string storedAttributes(const std::string &path)
{
    char buffer[64];
    const ssize_t size = lgetxattr(path.c_str(), platform::kDosAttribName, buffer, sizeof buffer);
    return size < 0 ? "" : std::string(buffer, std::size_t(size));
}

mode_t modeOf(const std::string &path)
{
    struct stat info = {};
    lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

constexpr const char *kOurs = "[.ShellClassInfo]\r\nIconFile=old.ico\r\n";
constexpr const char *kOthers = "[.ShellClassInfo]\r\nLocalizedResourceName=x\r\nIconIndex=1\r\n";

struct SwapCase {
    const char *what; // the step the swap follows
    const char *old;  // the folder's "desktop.ini" before the run; nullptr: none
    bool swapFolder;  // the folder itself, not its file, becomes the link
    bool removing;    // delicon instead of makeicon
};

} // namespace

TEST(LinkSwap, NothingOutsideTheFolderIsTouched)
{
    const SwapCase cases[] = {
        {"file after replacing", kOurs, false, false},
        {"file after creating", nullptr, false, false},
        {"folder after replacing", kOurs, true, false},
        {"folder after removing", kOurs, true, true},
        {"folder after keeping others' keys", kOthers, true, true},
    };
    for (const SwapCase &c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder tmp;
        const std::string folder = tmp / "owned", outsideFile = tmp / "outside.txt",
                          outsideFolder = tmp / "outside";
        std::filesystem::create_directories(folder);
        std::filesystem::create_directories(outsideFolder);
        testing_support::writeTextFile(outsideFile, "not a desktop.ini");
        ASSERT_EQ(chmod(outsideFile.c_str(), 0444), 0);
        const std::string kept = "0x20"; // archive: neither value a run sets
        if (setxattr(outsideFolder.c_str(), platform::kDosAttribName, kept.data(), kept.size(),
                     0) != 0)
            GTEST_SKIP() << "no user extended attributes under " << tmp.path();
        if (c.old)
            testing_support::writeTextFile(folder + "/desktop.ini", c.old);

        g_swap = [&] {
            const std::string victim = c.swapFolder ? folder : folder + "/desktop.ini";
            std::filesystem::rename(victim, victim + ".moved");
            std::filesystem::create_symlink(c.swapFolder ? outsideFolder : outsideFile, victim);
        };
        engine::CustomisationRequest request;
        request.targetFolders = {folder + "/"};
        request.selectedFolder = folder + "/";
        request.makeIcon = true;
        request.iconPath = "C:\\i.ico";
        engine::SystemFolderIo io;
        if (c.removing)
            engine::delicon(request, "1", io);
        else
            engine::makeicon(request, io);
        EXPECT_FALSE(g_swap) << "the run never put the file in place";
        g_swap = nullptr;

        EXPECT_EQ(modeOf(outsideFile), 0444u);
        EXPECT_EQ(storedAttributes(outsideFile), "");
        EXPECT_EQ(storedAttributes(outsideFolder), kept);
    }
}
