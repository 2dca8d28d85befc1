#pragma once

#include <cstdint>
#include <string>

// Files and folders for tests under Windows and Wine, through the wide Win32 calls themselves so
// that the code under test is not used to check itself. Paths are UTF-8.
namespace winfiles
{

// A fresh folder under the user's temporary folder, removed with everything in it at the end.
class TempFolder
{
public:
    TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    ~TempFolder();

    // The folder's path with a trailing backslash, so names append directly.
    const std::string &path() const { return m_path; }
    std::string operator/(const std::string &name) const { return m_path + name; }

private:
    std::string m_path; // absolute, ends with '\\'
};

void makeFolder(const std::string &path);                          // throws when it cannot
void writeFile(const std::string &path, const std::string &bytes); // throws when it cannot
std::string readFile(const std::string &path);                     // "" when missing
bool exists(const std::string &path);
std::uint32_t attributes(const std::string &path); // GetFileAttributesW; 0xFFFFFFFF when missing
void setAttributes(const std::string &path, std::uint32_t attributes);

// The names in a folder, sorted and separated by blanks, without "." and "..".
std::string listFolder(const std::string &path);

// Deletes a tree, clearing the attributes that would stop the deletion first.
void removeTree(const std::string &path);

// Wine keeps no read-only bit on folders (measured: SetFileAttributes succeeds, nothing sticks).
bool runningUnderWine();

} // namespace winfiles
