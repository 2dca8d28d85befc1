// Times makeicon over many folders against a loop of only the system calls one folder needs,
// and makeicon again with a local icon path that each folder gets relative to itself.
// Usage: dressing_benchmark [parent folder (default: current directory)] [repetitions (default 3)]
#include "engine/desktopiniwriter.h"
#include "engine/folderdresser.h"
#include "engine/folderio.h"
#include "platform/clientpaths.h"
#include "platform/codepage.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

using Clock = std::chrono::steady_clock;

// Wall-clock and user-mode seconds of one sample.
struct Sample {
    double wall = 1e300;
    double user = 1e300;
};

double userSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec) + 1e-6 * double(usage.ru_utime.tv_usec);
}

// Runs `work` once and keeps the faster sample in `best`; `ok` turns false on a reported failure.
void sample(const std::function<bool()> &work, Sample &best, bool &ok)
{
    const double userStart = userSeconds();
    const auto start = Clock::now();
    ok = work() && ok;
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    if (wall < best.wall)
        best = {wall, userSeconds() - userStart};
}

// The floor: unlink the old file, create and write the new one, mark it hidden, the folder
// read-only.
bool floorLoop(const std::vector<std::string> &folders, const std::string &bytes)
{
    for (const std::string &folder : folders) {
        const std::string ini = folder + "desktop.ini";
        unlink(ini.c_str());
        const int fd = open(ini.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0)
            return false;
        const bool written = write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
        if (close(fd) != 0 || !written)
            return false;
        if (setxattr(ini.c_str(), "user.DOSATTRIB", "0x2", 3, 0) != 0 ||
            setxattr(folder.c_str(), "user.DOSATTRIB", "0x1", 3, 0) != 0)
            return false;
    }
    return true;
}

// The same calls with the new file written under a temporary name and renamed over the old one,
// so a failure never leaves a part of a file: the least an atomic replace costs.
bool atomicFloorLoop(const std::vector<std::string> &folders, const std::string &bytes)
{
    for (const std::string &folder : folders) {
        const std::string ini = folder + "desktop.ini";
        const std::string temporary = folder + ".desktop.ini.bench~";
        const int fd =
            open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0)
            return false;
        const bool written = write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
        if (close(fd) != 0 || !written || rename(temporary.c_str(), ini.c_str()) != 0)
            return false;
        if (setxattr(ini.c_str(), "user.DOSATTRIB", "0x2", 3, 0) != 0 ||
            setxattr(folder.c_str(), "user.DOSATTRIB", "0x1", 3, 0) != 0)
            return false;
    }
    return true;
}

void print(const char *name, const Sample &best, std::size_t count)
{
    std::printf("  %-13s %8.3f s %8.1f us/folder (user mode %6.1f us/folder)\n", name, best.wall,
                1e6 * best.wall / double(count), 1e6 * best.user / double(count));
}

void measure(const fs::path &root, std::size_t count, int repetitions)
{
    engine::CustomisationRequest request;
    request.makeIcon = true;
    request.iconPath = "C:\\Icons\\folder.ico";
    request.makeInfoTip = true;
    request.infoTip = "Benchmark folder";
    request.windowsMode = engine::WindowsMode::Xp;
    for (std::size_t i = 0; i < count; ++i) {
        const fs::path folder = root / std::to_string(count) / std::to_string(i);
        fs::create_directories(folder);
        request.targetFolders.push_back(folder.string() + "/");
    }
    engine::SystemFolderIo io;
    bool ok = !engine::makeicon(request, io).failed; // every folder starts dressed
    const std::string bytes = *engine::DesktopIniWriter::bytes(request, platform::ansiCodePage());
    const auto dressing = [&io](const engine::CustomisationRequest &r) {
        const engine::MakeIconResult result = engine::makeicon(r, io);
        return !result.failed && result.attributeFailure.ok();
    };
    // A local icon path is written relative to each folder, and Samba's shares are read once.
    engine::CustomisationRequest local = request;
    local.iconPath = (root / "icons" / "folder.ico").string();
    Sample best[4];
    // Interleaved, so a burst of load elsewhere spoils one sample of each rather than one method.
    for (int i = 0; i < repetitions; ++i) {
        // Each makeicon follows a run that also renamed new files over the old ones.
        sample([&] { return dressing(request); }, best[0], ok);
        sample([&] { return dressing(local); }, best[3], ok);
        sample([&] { return floorLoop(request.targetFolders, bytes); }, best[1], ok);
        sample([&] { return atomicFloorLoop(request.targetFolders, bytes); }, best[2], ok);
    }
    std::printf("%zu folders, best of %d%s\n", count, repetitions,
                ok ? "" : " (some calls FAILED: figures not comparable)");
    print("makeicon", best[0], count);
    print("floor", best[1], count);
    print("atomic floor", best[2], count);
    print("local icon", best[3], count);
    std::printf("  ratio makeicon/floor %.2f, makeicon/atomic floor %.2f, local icon/atomic "
                "floor %.2f\n",
                best[0].wall / best[1].wall, best[0].wall / best[2].wall,
                best[3].wall / best[2].wall);
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path parent = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::string pattern = (parent / "ravo2-dressing-bench.XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror(pattern.c_str());
        return 1;
    }
    const fs::path root = pattern;
    std::printf("dressing benchmark in %s\n", root.c_str());
    // The one fixed cost of a run whose paths are checked against Samba's shares.
    Sample testparm;
    bool found = true;
    for (int i = 0; i < repetitions; ++i)
        sample([] { return platform::sambaConfiguration().has_value(); }, testparm, found);
    std::printf("testparm -s, once per checked run: %.1f ms%s\n", 1e3 * testparm.wall,
                found ? "" : " (Samba not installed: nothing is checked)");
    for (std::size_t count : {std::size_t(1000), std::size_t(10000)})
        measure(root, count, repetitions);
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
