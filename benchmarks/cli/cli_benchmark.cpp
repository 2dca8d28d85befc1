// Times the whole ravo2 process, started as a shell starts it (fork + exec, no display), against
// a C loop of the bare system calls an atomic replace needs per folder: create + write + close a
// temporary file, set its attribute, rename it over desktop.ini, set the folder's attribute.
// One folder with a local icon (Samba's configuration read, cold and warm) against setfattr; fresh
// folders and the same folders again, interleaved, best of five rounds; then one folder against
// setfattr, and the peak memory of one run over 100,000 folders.
//
// Give it a folder on the file system you serve (the first argument; default: the temporary
// folder). Nothing is deleted until the end: on ext4 without a journal, every new file searches
// past the inodes freed in the last minutes, so deleting between rounds made later rounds slow.
//
// Notes, `strace -c -f ravo2 -fp <1,000 folders> -tt x`: per fresh folder 9 calls against the
// loop's 6: openat of the folder and its close (every later call goes through it), newfstatat
// (is there an old file?), then openat O_TMPFILE, write, fsetxattr, linkat, fsetxattr on the
// folder, close. Over the same folders again 12 (14 where the old file's owner or mode differs):
// openat of the folder, newfstatat and getxattrat of the old file (a link, a folder or a
// read-only file is refused; strace 6.1 leaves getxattrat out of its table), flock of the folder
// (its holder alone uses the fixed hidden name, so a killed run's leftover is found by creating
// it), openat of the hidden file, write, fsetxattr, fstat (owner and mode as the old file's? else
// fchown, fchmod), close, renameat, fsetxattr on the folder, close. Before Linux 6.13 the old
// file's attribute is read through /proc, and before 6.10 a user other than root names the new
// file through /proc. No poll, no futex, no event processing; start-up is about 60 calls.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace
{

constexpr const char kIni[] = "[.ShellClassInfo]\r\nIconFile=\r\nIconIndex=0\r\nInfoTip= x\r\n";

struct Run {
    double ms = 0;   // wall time
    long peakKb = 0; // the child's peak resident size
    int status = -1; // its exit status
};

// The high-water mark of a running process's own memory (its image after exec, not the
// benchmark's pages that a spawned child shares until then); 0 once it has ended.
long highWaterKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        if (word == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

// Starts `argv` as a shell would, with no display and its output discarded, and waits for it;
// with `watchMemory` it reads the child's high-water mark every millisecond meanwhile.
Run spawnAndWait(const std::vector<std::string> &args, bool watchMemory = false)
{
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {};
    Run run;
    int status = 0;
    while (watchMemory && waitpid(pid, &status, WNOHANG) == 0) {
        run.peakKb = std::max(run.peakKb, highWaterKb(pid));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!watchMemory)
        waitpid(pid, &status, 0);
    run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::string> makeFolders(const fs::path &root, const std::string &prefix, int count)
{
    std::vector<std::string> folders;
    for (int i = 0; i < count; ++i) {
        const fs::path folder = root / (prefix + std::to_string(i));
        fs::create_directories(folder);
        folders.push_back(folder.string() + "/");
    }
    return folders;
}

Run runProgram(const std::vector<std::string> &folders, bool watchMemory = false)
{
    std::vector<std::string> args{RAVO2_PROGRAM};
    for (const std::string &folder : folders) {
        args.push_back("-fp");
        args.push_back(folder);
    }
    args.push_back("-tt");
    args.push_back("x");
    return spawnAndWait(args, watchMemory);
}

// The floor: the calls alone, in this process.
double runFloor(const std::vector<std::string> &folders)
{
    const auto start = Clock::now();
    for (const std::string &folder : folders) {
        const std::string temporary = folder + ".desktop.ini.floor~", ini = folder + "desktop.ini";
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || write(fd, kIni, sizeof kIni - 1) < 0 || close(fd) != 0)
            std::abort();
        setxattr(temporary.c_str(), "user.DOSATTRIB", "0x2", 3, 0);
        if (rename(temporary.c_str(), ini.c_str()) != 0)
            std::abort();
        setxattr(folder.c_str(), "user.DOSATTRIB", "0x1", 3, 0);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void compareAt(const fs::path &root, int count)
{
    double best[4] = {1e18, 1e18, 1e18, 1e18}; // program fresh, floor fresh, program, floor again
    for (int round = 0; round < 5; ++round) {
        const std::string tag = std::to_string(count) + "-" + std::to_string(round);
        const auto programFolders = makeFolders(root, "p" + tag + "-", count);
        const auto floorFolders = makeFolders(root, "f" + tag + "-", count);
        // Whoever goes first meets colder caches: the two take turns.
        double times[4];
        for (int pass : {0, 1}) {
            if (round % 2 == 0) {
                times[pass * 2] = runProgram(programFolders).ms;
                times[pass * 2 + 1] = runFloor(floorFolders);
            } else {
                times[pass * 2 + 1] = runFloor(floorFolders);
                times[pass * 2] = runProgram(programFolders).ms;
            }
        }
        for (int i = 0; i < 4; ++i)
            best[i] = std::min(best[i], times[i]);
    }
    std::printf("%6d folders  fresh: ravo2 %8.1f ms  floor %8.1f ms  ratio %.2f   "
                "again: ravo2 %8.1f ms  floor %8.1f ms  ratio %.2f\n",
                count, best[0], best[1], best[0] / best[1], best[2], best[3], best[2] / best[3]);
}

void oneFolder(const fs::path &root)
{
    const auto folders = makeFolders(root, "one-", 1);
    std::vector<double> program, setfattr, version;
    for (int i = 0; i < 21; ++i) {
        program.push_back(runProgram(folders).ms);
        setfattr.push_back(
            spawnAndWait({"setfattr", "-n", "user.DOSATTRIB", "-v", "\"0x1\"", folders[0]}).ms);
        version.push_back(spawnAndWait({RAVO2_PROGRAM, "--version"}).ms);
    }
    for (auto *v : {&program, &setfattr, &version})
        std::nth_element(v->begin(), v->begin() + 10, v->end());
    std::printf("one folder (median of 21): ravo2 %.2f ms  setfattr %.2f ms  ratio %.2f   "
                "ravo2 --version %.2f ms\n",
                program[10], setfattr[10], program[10] / setfattr[10], version[10]);
}

// One folder with an icon inside it, the run that asks Samba's configuration: with testparm's
// output cached (warm) and without (cold, the cache removed before each run), against setfattr.
void oneFolderLocalIcon(const fs::path &root)
{
    const auto folders = makeFolders(root, "icon-", 1);
    const std::string icon = folders[0] + "folder.ico", cache = (root / "cache").string();
    std::ofstream(icon) << "icon";
    setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    const std::vector<std::string> args{RAVO2_PROGRAM, "-fp", folders[0], "-ip", icon};
    std::vector<double> cold, warm, setfattr;
    for (int i = 0; i < 11; ++i) {
        fs::remove_all(cache);
        cold.push_back(spawnAndWait(args).ms);
        warm.push_back(spawnAndWait(args).ms);
        setfattr.push_back(
            spawnAndWait({"setfattr", "-n", "user.DOSATTRIB", "-v", "\"0x1\"", folders[0]}).ms);
    }
    for (auto *v : {&cold, &warm, &setfattr})
        std::nth_element(v->begin(), v->begin() + 5, v->end());
    std::printf("one folder, local icon (median of 11): ravo2 cold %.2f ms (%.1fx setfattr)  "
                "warm %.2f ms (%.1fx)  setfattr %.2f ms\n",
                cold[5], cold[5] / setfattr[5], warm[5], warm[5] / setfattr[5], setfattr[5]);
    unsetenv("XDG_CACHE_HOME");
}

void peakMemory(const fs::path &root, int count)
{
    // 100,000 folder arguments need more room than the usual 8 MB stack leaves them.
    rlimit stack{256L << 20, 256L << 20};
    setrlimit(RLIMIT_STACK, &stack);
    const auto folders = makeFolders(root, "m-", count);
    const Run run = runProgram(folders, true);
    const Run one = runProgram({folders[0]}, true);
    std::printf("peak memory: %d folders %.1f MB (status %d), one folder %.1f MB\n", count,
                run.peakKb / 1024.0, run.status, one.peakKb / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path root =
        argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "ravo2-cli-bench";
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        unsetenv(name);
    fs::remove_all(root);
    fs::create_directories(root);
    std::printf("ravo2: %s\n", RAVO2_PROGRAM);
    oneFolderLocalIcon(root);
    // "--icon" after the folder: only the figure above.
    if (argc > 2 && std::string(argv[2]) == "--icon") {
        fs::remove_all(root);
        return 0;
    }
    compareAt(root, 1000);
    compareAt(root, 10000);
    oneFolder(root);
    fs::remove_all(root);
    fs::create_directories(root);
    peakMemory(root, 100000);
    fs::remove_all(root);
    return 0;
}
