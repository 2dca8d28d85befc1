#include "programmodule.h"

#include "win32text_win.h"

#include <windows.h>

#include <vector>

namespace platform
{
namespace
{

std::wstring programFolderWide()
{
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return {};
    const std::wstring path(buffer.data(), length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

// The system's text without the line break FormatMessage ends it with.
std::string lastErrorText()
{
    return win32::statusFor(GetLastError()).message;
}

} // namespace

std::string programFolder()
{
    return win32::toUtf8(programFolderWide());
}

std::string installedLanguageFolder()
{
    const std::string folder = programFolder();
    return folder.empty() ? folder : folder + "\\languages";
}

ProgramModule::ProgramModule(std::string stem) : m_stem(std::move(stem)) {}

bool ProgramModule::load()
{
    if (m_handle)
        return true;
    const auto stem = win32::toWide(m_stem);
    const std::wstring folder = programFolderWide();
    if (!stem || folder.empty()) {
        m_error = m_stem + ".dll: the program's folder is unknown";
        return false;
    }
    // Beside the program, where the DLLs it needs are found too.
    const std::wstring path = folder + L"\\" + *stem + L".dll";
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) {
        m_error = m_stem + ".dll: " + lastErrorText();
        return false;
    }
    m_handle = module;
    m_path = win32::toUtf8(path);
    return true;
}

void *ProgramModule::symbol(const char *name)
{
    FARPROC address = m_handle ? GetProcAddress(static_cast<HMODULE>(m_handle), name) : nullptr;
    if (!address)
        m_error = std::string(name) + ": " + lastErrorText();
    return reinterpret_cast<void *>(address);
}

} // namespace platform
