#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace faults
{

// Target folders for a fault run under a root of their own (made here): each holds an old
// "desktop.ini" of its own, or none. After the run, check() tells whether any of them lost data.
class FaultFolders
{
public:
    // Makes `count` folders "f00000/"...; those whose index `withOld` lists get an old file.
    FaultFolders(const std::string &root, std::size_t count, const std::vector<bool> &withOld);

    std::size_t count() const { return m_folders.size(); }
    const std::vector<std::string> &paths() const { return m_folders; } // each ends with '/'
    std::string folder(std::size_t i) const { return m_folders[i]; }
    std::string iniPath(std::size_t i) const { return m_folders[i] + "desktop.ini"; }
    std::string oldBytes(std::size_t i) const;

    enum class State { None, Old, New, Other };
    // What folder i's "desktop.ini" holds now, compared with the file the run writes.
    State state(std::size_t i, const std::string &newBytes) const;
    std::size_t countIn(State wanted, const std::string &newBytes) const;
    std::vector<State> states(const std::string &newBytes) const;

    // Empty when every folder holds its old file or the new one whole (none only where there was
    // none) and nothing but "desktop.ini" lies in a folder or beside the folders, except at most
    // `allowedStray` left-over files; otherwise what was found.
    std::string check(const std::string &newBytes, std::size_t allowedStray = 0) const;

private:
    std::string m_root;
    std::vector<std::string> m_folders;
    std::vector<bool> m_hadOld;
};

std::ostream &operator<<(std::ostream &out, FaultFolders::State state);

// Every folder with an old file except the ones listed.
std::vector<bool> oldFilesExcept(std::size_t count, const std::vector<std::size_t> &without);

// Reads a whole file; empty when it cannot.
std::string fileBytes(const std::string &path);

} // namespace faults
