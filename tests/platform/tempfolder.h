#pragma once

#include <string>

namespace testing_support
{

// A fresh folder under /tmp, removed with everything in it when the test ends.
class TempFolder
{
public:
    TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    ~TempFolder();

    const std::string &path() const { return m_path; }
    std::string operator/(const std::string &name) const { return m_path + "/" + name; }

private:
    std::string m_path; // absolute path of the folder
};

// Writes a file whole; throws when it cannot.
void writeTextFile(const std::string &path, const std::string &bytes);

// The names in a folder, sorted, without "." and "..".
std::string listFolder(const std::string &path);

} // namespace testing_support
