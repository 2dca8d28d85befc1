#include "faultfolders.h"

#include "tempfolder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace faults
{

namespace
{

std::string folderName(std::size_t i)
{
    char name[16];
    std::snprintf(name, sizeof name, "f%05zu", i);
    return name;
}

} // namespace

FaultFolders::FaultFolders(const std::string &root, std::size_t count,
                           const std::vector<bool> &withOld)
    : m_root(root), m_hadOld(withOld)
{
    m_hadOld.resize(count, false);
    std::filesystem::create_directories(root);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string path = root + "/" + folderName(i);
        std::filesystem::create_directory(path);
        m_folders.push_back(path + "/");
        if (m_hadOld[i])
            testing_support::writeTextFile(iniPath(i), oldBytes(i));
    }
}

std::string FaultFolders::oldBytes(std::size_t i) const
{
    return "[.ShellClassInfo]\r\nIconFile=C:\\old\\" + folderName(i) + ".ico\r\nIconIndex=7\r\n";
}

FaultFolders::State FaultFolders::state(std::size_t i, const std::string &newBytes) const
{
    struct stat info = {};
    if (lstat(iniPath(i).c_str(), &info) != 0)
        return State::None;
    if (!S_ISREG(info.st_mode))
        return State::Other;
    const std::string bytes = fileBytes(iniPath(i));
    if (bytes == newBytes)
        return State::New;
    return bytes == oldBytes(i) ? State::Old : State::Other;
}

std::size_t FaultFolders::countIn(State wanted, const std::string &newBytes) const
{
    const std::vector<State> all = states(newBytes);
    return std::size_t(std::count(all.begin(), all.end(), wanted));
}

std::vector<FaultFolders::State> FaultFolders::states(const std::string &newBytes) const
{
    std::vector<State> all;
    for (std::size_t i = 0; i < count(); ++i)
        all.push_back(state(i, newBytes));
    return all;
}

std::string FaultFolders::check(const std::string &newBytes, std::size_t allowedStray) const
{
    std::ostringstream problems;
    const std::vector<State> all = states(newBytes);
    for (std::size_t i = 0; i < count(); ++i) {
        const State now = all[i];
        if (now == State::Other)
            problems << iniPath(i) << " holds neither its old file nor the new one\n";
        if (now == State::None && m_hadOld[i])
            problems << iniPath(i) << " is gone\n";
    }
    std::size_t stray = 0;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(m_root)) {
        const std::string name = entry.path().filename().string();
        const bool expected = entry.is_directory()
                                  ? name.starts_with("f")
                                  : name == "desktop.ini" && entry.path().parent_path() != m_root;
        if (!expected && ++stray > allowedStray)
            problems << "left behind: " << entry.path().string() << "\n";
    }
    return problems.str();
}

std::ostream &operator<<(std::ostream &out, FaultFolders::State state)
{
    static const char *const names[] = {"none", "old", "new", "other"};
    return out << names[static_cast<int>(state)];
}

std::vector<bool> oldFilesExcept(std::size_t count, const std::vector<std::size_t> &without)
{
    std::vector<bool> withOld(count, true);
    for (std::size_t i : without)
        withOld[i] = false;
    return withOld;
}

std::string fileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace faults
