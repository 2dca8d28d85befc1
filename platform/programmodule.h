#pragma once

#include <string>

namespace platform
{

// The folder that holds the running program's file, UTF-8, without a final separator; empty when
// the system does not say.
std::string programFolder();

// Where the installed interface language files are: the data folder beside the program's (POSIX),
// or "languages" beside the program (Windows); empty when the program's folder is not known.
std::string installedLanguageFolder();

// A shared library of the program's own, loaded only when it is needed: looked for beside the
// program's file first (the build tree), then in the program's library folder (installed).
// It stays loaded until the process ends.
class ProgramModule
{
public:
    // `stem` is the file name without prefix and suffix: "ravo2-windows" is
    // "libravo2-windows.so" on POSIX and "ravo2-windows.dll" on Win32.
    explicit ProgramModule(std::string stem);

    // Loads the first file found; false with error() set when none could be loaded.
    bool load();
    // The address of an exported function; nullptr with error() set when it is missing.
    void *symbol(const char *name);
    const std::string &error() const { return m_error; }
    const std::string &path() const { return m_path; } // the file loaded

private:
    std::string m_stem;       // the module's name
    std::string m_path;       // the file loaded, once loaded
    std::string m_error;      // the loader's own text of the last failure
    void *m_handle = nullptr; // the loaded library
};

} // namespace platform
