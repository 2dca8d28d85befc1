#include "singlecopy.h"

#include "win32text_win.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace platform
{
namespace
{

constexpr const wchar_t kTitle[] = L"Ravo";

std::uint64_t fnv1a(const std::string &text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// The main window titled "Ravo", else the first whose title begins with it.
BOOL CALLBACK findRavoWindow(HWND window, LPARAM found)
{
    wchar_t title[8] = {};
    const int length = GetWindowTextW(window, title, 8);
    if (length >= 4 && wcsncmp(title, kTitle, 4) == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

SingleCopyName::SingleCopyName(const std::string &store)
{
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(store)));
    m_name = "ravo2-" + std::string(hash, 12);
}

SingleCopyName::~SingleCopyName()
{
    if (m_held != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_held));
}

std::string SingleCopyName::folder()
{
    return {};
}

std::string SingleCopyName::lockPath() const
{
    return {};
}

SingleCopyName::Claim SingleCopyName::claim()
{
    if (m_held != -1)
        return Claim::First;
    const auto wide = win32::toWide("Local\\" + m_name);
    HANDLE mutex = wide ? CreateMutexW(nullptr, FALSE, wide->c_str()) : nullptr;
    if (mutex == nullptr)
        return Claim::Unavailable;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return Claim::Later;
    }
    m_held = reinterpret_cast<std::intptr_t>(mutex);
    return Claim::First;
}

int SingleCopyName::takeListener()
{
    return -1;
}

int SingleCopyName::connectToHolder() const
{
    return -1;
}

bool SingleCopyName::askToActivate() const
{
    HWND window = FindWindowW(nullptr, kTitle);
    if (window == nullptr)
        EnumWindows(findRavoWindow, reinterpret_cast<LPARAM>(&window));
    if (window == nullptr)
        return false;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    return SetForegroundWindow(window) != FALSE;
}

} // namespace platform
