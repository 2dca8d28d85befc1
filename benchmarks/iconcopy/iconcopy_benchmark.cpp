// Times makeicon over 1,000 folders with the icon copied into each folder (-ci) against the same
// run without copies, and the once-per-run cost of reading, extracting and hashing the icon.
// Usage: iconcopy_benchmark [parent folder (default: current directory)] [repetitions (default 3)]
//        [library for the extraction figure (default: Wine's shell32.dll when present)]
#include "engine/folderdresser.h"
#include "engine/folderio.h"
#include "engine/iconcopy.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

using Clock = std::chrono::steady_clock;

// Wall-clock seconds and this process's own CPU seconds (user and kernel) of one sample.
struct Sample {
    double wall = 1e300;
    double cpu = 1e300;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + 1e-6 * double(t.tv_usec);
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs `work` and keeps the fastest of each figure in `best`; `ok` turns false on a failure.
void sample(const std::function<bool()> &work, Sample &best, bool &ok)
{
    const double cpuStart = cpuSeconds();
    const auto start = Clock::now();
    ok = work() && ok;
    best.wall = std::min(best.wall, std::chrono::duration<double>(Clock::now() - start).count());
    best.cpu = std::min(best.cpu, cpuSeconds() - cpuStart);
}

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// An icon file of a usual size (about 30 KB, as a 10-image folder icon), made different by `tag`.
std::string iconBytes(char tag)
{
    std::string bytes("\0\0\1\0", 4);
    bytes.resize(30000, tag);
    return bytes;
}

void measureExtraction(const std::string &library, int repetitions)
{
    if (library.empty() || !fs::exists(library)) {
        std::printf("no library for the extraction figure\n");
        return;
    }
    engine::CustomisationRequest request;
    request.makeIcon = request.copyIcon = true;
    request.iconPath = library;
    request.iconIndex = "3";
    Sample best;
    bool ok = true;
    for (int i = 0; i < repetitions; ++i)
        sample([&] { return engine::IconCopies(request).status().ok(); }, best, ok);
    std::printf("read + extract + hash, once per run: %.1f ms for %s (%.1f MB)%s\n",
                1e3 * best.wall, library.c_str(), double(fs::file_size(library)) / 1e6,
                ok ? "" : " (FAILED)");
}

void measure(const fs::path &root, std::size_t count, int repetitions)
{
    const fs::path icon = root / "icons" / "folder.ico";
    fs::create_directories(icon.parent_path());
    writeFile(icon, iconBytes('a'));
    engine::CustomisationRequest plain;
    plain.makeIcon = plain.makeInfoTip = true;
    plain.iconPath = icon.string();
    plain.infoTip = "Benchmark folder";
    engine::CustomisationRequest copying = plain;
    copying.copyIcon = true;
    // Folders of their own for each, so that the run without copies never removes one.
    for (std::size_t i = 0; i < count; ++i) {
        for (auto *request : {&plain, &copying}) {
            const fs::path folder =
                root / (request == &plain ? "plain" : "copying") / std::to_string(i);
            fs::create_directories(folder);
            request->targetFolders.push_back(folder.string() + "/");
        }
    }
    engine::SystemFolderIo io;
    // Samba's shares are not read: both runs would read them once alike.
    const auto noSamba = []() -> std::optional<std::string> { return std::nullopt; };
    const auto dressing = [&](const engine::CustomisationRequest &r) {
        const engine::MakeIconResult result = engine::makeicon(r, io, {}, noSamba);
        return !result.failed && result.attributeFailure.ok();
    };
    bool ok = dressing(plain) && dressing(copying); // every folder starts dressed
    Sample best[3];
    char tag = 'a';
    // Interleaved, so a burst of load elsewhere spoils one sample of each rather than one method.
    for (int i = 0; i < repetitions; ++i) {
        sample([&] { return dressing(plain); }, best[0], ok);
        writeFile(icon, iconBytes(tag = tag == 'a' ? 'b' : 'a'));
        // A changed icon: each folder gets the new copy and loses the old one.
        sample([&] { return dressing(copying); }, best[1], ok);
        // The same icon again: each folder's copy is read and found equal.
        sample([&] { return dressing(copying); }, best[2], ok);
    }
    std::printf("%zu folders, best of %d%s\n", count, repetitions,
                ok ? "" : " (some calls FAILED: figures not comparable)");
    const char *names[] = {"without -ci", "-ci, new icon", "-ci, same icon"};
    for (int i = 0; i < 3; ++i)
        std::printf("  %-15s %8.1f us/folder (CPU %6.1f us/folder)  ratio to without -ci %.2f "
                    "(CPU %.2f)\n",
                    names[i], 1e6 * best[i].wall / double(count), 1e6 * best[i].cpu / double(count),
                    best[i].wall / best[0].wall, best[i].cpu / best[0].cpu);
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path parent = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string library =
        argc > 3 ? argv[3] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
    const fs::path root = parent / ("ravo2-iconcopy-bench." + std::to_string(::getpid()));
    std::printf("icon copy benchmark in %s\n", root.c_str());
    measureExtraction(library, repetitions);
    measure(root, 1000, repetitions);
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
