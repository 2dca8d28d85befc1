#include "testparmcache_posix.h"

#include "openfolder_posix.h"
#include "posixfile.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{

constexpr std::string_view kHeader = "ravo2 testparm cache 1\n";
constexpr std::size_t kCacheLimit = 4 << 20;
constexpr const char *kDefaultConfiguration = "/etc/samba/smb.conf";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// One line per file: its path, device, inode, size and change and modification times.
bool appendStamp(std::string &stamp, const std::string &path)
{
    struct stat info = {};
    if (path.empty() || path.find_first_of("\t\n%") != std::string::npos ||
        stat(path.c_str(), &info) != 0)
        return false;
    stamp += path;
    for (long long value : {(long long)info.st_dev, (long long)info.st_ino, (long long)info.st_size,
                            (long long)info.st_mtim.tv_sec, (long long)info.st_mtim.tv_nsec,
                            (long long)info.st_ctim.tv_sec, (long long)info.st_ctim.tv_nsec})
        stamp += '\t' + std::to_string(value);
    stamp += '\n';
    return true;
}

// A file changed less than this long ago may change again within the same tick of the file
// system's clock, unseen by its times: what testparm made of it is not kept yet.
constexpr time_t kSettledSeconds = 2;

bool settled(const std::vector<std::string> &files)
{
    const time_t now = time(nullptr);
    for (const std::string &file : files) {
        struct stat info = {};
        if (stat(file.c_str(), &info) != 0 || info.st_mtim.tv_sec + kSettledSeconds > now)
            return false;
    }
    return true;
}

// The folder exists, is this user's and no one else may write into it.
bool privateFolder(const std::string &folder)
{
    mkdir(folder.c_str(), 0700);
    struct stat info = {};
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 022) == 0;
}

std::string folderOf(const std::string &file)
{
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? "." : file.substr(0, slash);
}

} // namespace

TestparmCache::TestparmCache(std::string cacheFile, std::string mainConfiguration)
    : m_cacheFile(std::move(cacheFile)), m_main(std::move(mainConfiguration))
{
}

TestparmCache TestparmCache::forThisUser()
{
    const char *configured = std::getenv("SMB_CONF_PATH");
    std::string main =
        configured != nullptr && *configured != '\0' ? configured : kDefaultConfiguration;
    std::string cache;
    if (const char *xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && *xdg == '/')
        cache = xdg;
    else if (const char *home = std::getenv("HOME"); home != nullptr && *home == '/')
        cache = std::string(home) + "/.cache";
    if (!cache.empty())
        cache += "/ravo2/testparm";
    return TestparmCache(std::move(cache), std::move(main));
}

std::vector<std::string> TestparmCache::includedFiles(std::string_view output)
{
    std::vector<std::string> files;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        const std::string_view line = trimmed(output.substr(start, end - start));
        start = end + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        if (key == "include" || key == "config file")
            files.emplace_back(trimmed(line.substr(equals + 1)));
    }
    return files;
}

std::string TestparmCache::stampOf(const std::vector<std::string> &files) const
{
    std::string stamp;
    if (!appendStamp(stamp, m_main))
        return {};
    for (const std::string &file : files)
        if (!appendStamp(stamp, file))
            return {};
    return stamp;
}

std::optional<std::string>
TestparmCache::get(const std::function<std::optional<std::string>()> &testparm)
{
    if (m_cacheFile.empty())
        return testparm();
    if (auto output = cached())
        return output;
    const std::string before = stampOf({});
    std::optional<std::string> output = testparm();
    if (!output || before.empty())
        return output;
    std::vector<std::string> files = includedFiles(*output);
    const std::string after = stampOf(files);
    files.push_back(m_main);
    // A file that changed while testparm read it, or just before, or one it names that cannot
    // be seen, is not kept: the next run asks testparm again.
    if (!after.empty() && after.starts_with(before) && settled(files))
        store(after, *output);
    return output;
}

std::optional<std::string> TestparmCache::cached() const
{
    std::string bytes;
    Descriptor file(open(m_cacheFile.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info = {};
    if (file.get() < 0 || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != geteuid() || !readOpenFile(file.get(), kCacheLimit, bytes).ok() ||
        !bytes.starts_with(kHeader))
        return std::nullopt;
    const std::size_t end = bytes.find("\n\n", kHeader.size() - 1);
    if (end == std::string::npos)
        return std::nullopt;
    const std::string stored = bytes.substr(kHeader.size(), end + 1 - kHeader.size());
    std::vector<std::string> included;
    for (std::size_t start = stored.find('\n') + 1; start < stored.size();) {
        const std::size_t lineEnd = stored.find('\n', start);
        included.push_back(stored.substr(start, stored.find('\t', start) - start));
        start = lineEnd + 1;
    }
    if (stampOf(included) != stored)
        return std::nullopt;
    return bytes.substr(end + 2);
}

void TestparmCache::store(const std::string &stamp, const std::string &output) const
{
    const std::string folder = folderOf(m_cacheFile);
    if (!privateFolder(folderOf(folder)) || !privateFolder(folder))
        return;
    std::string temporary = m_cacheFile + ".XXXXXX";
    Descriptor file(mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0)
        return;
    const std::string bytes = std::string(kHeader) + stamp + "\n" + output;
    if (!writeAll(file.get(), bytes).ok() || !file.close().ok() ||
        rename(temporary.c_str(), m_cacheFile.c_str()) != 0)
        unlink(temporary.c_str());
}

} // namespace platform
