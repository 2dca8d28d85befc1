#include "remotewindows.h"

#include <commctrl.h>

#include <chrono>
#include <thread>

namespace remote
{

namespace
{

constexpr UINT kSendTimeout = 5000; // a window that takes longer is hung or shows a modal box

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeout,
                             &result))
        return -1;
    return static_cast<LRESULT>(result);
}

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND window, LPARAM data)
{
    auto *search = reinterpret_cast<Search *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->pid && IsWindowVisible(window))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK collectChildren(HWND window, LPARAM data)
{
    reinterpret_cast<std::vector<HWND> *>(data)->push_back(window);
    return TRUE;
}

std::vector<HWND> descendants(HWND parent)
{
    std::vector<HWND> all;
    EnumChildWindows(parent, collectChildren, reinterpret_cast<LPARAM>(&all));
    return all;
}

} // namespace

std::wstring widen(const std::string &utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring text(std::size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), size);
    return text;
}

std::string narrow(const std::wstring &text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

bool waitUntil(const std::function<bool()> &ready, int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::wstring className(HWND window)
{
    wchar_t name[128] = L"";
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring text(HWND window)
{
    const LRESULT length = sendTo(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::wstring result(std::size_t(length) + 1, L'\0');
    const LRESULT copied =
        sendTo(window, WM_GETTEXT, result.size(), reinterpret_cast<LPARAM>(result.data()));
    result.resize(copied > 0 ? std::size_t(copied) : 0);
    return result;
}

bool setText(HWND window, const std::wstring &text)
{
    return sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE;
}

std::vector<HWND> topLevelWindows(DWORD pid)
{
    Search search{pid, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findWindow(DWORD pid, const std::wstring &windowClass, const std::wstring &title)
{
    for (HWND window : topLevelWindows(pid)) {
        if ((windowClass.empty() || className(window) == windowClass) &&
            (title.empty() || text(window) == title))
            return window;
    }
    return nullptr;
}

HWND waitWindow(DWORD pid, const std::wstring &windowClass, const std::wstring &title,
                int milliseconds)
{
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(pid, windowClass, title)) != nullptr; },
              milliseconds);
    return found;
}

bool waitHidden(HWND window, int milliseconds)
{
    return waitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); },
                     milliseconds);
}

HWND control(HWND parent, int id)
{
    if (HWND direct = GetDlgItem(parent, id))
        return direct;
    for (HWND child : descendants(parent)) {
        if (GetDlgCtrlID(child) == id)
            return child;
    }
    return nullptr;
}

HWND controlByText(HWND parent, const std::wstring &windowClass, const std::wstring &caption)
{
    for (HWND child : descendants(parent)) {
        if (className(child) == windowClass && text(child) == caption)
            return child;
    }
    return nullptr;
}

bool isVisible(HWND control)
{
    return control != nullptr && IsWindowVisible(control);
}

void click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

void command(HWND window, int id)
{
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool isChecked(HWND button)
{
    return sendTo(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

RECT screenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::vector<std::wstring> comboEntries(HWND combo)
{
    std::vector<std::wstring> entries;
    const LRESULT count = sendTo(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = sendTo(combo, CB_GETLBTEXTLEN, WPARAM(i), 0);
        std::wstring entry(std::size_t(length > 0 ? length : 0) + 1, L'\0');
        sendTo(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(std::size_t(length > 0 ? length : 0));
        entries.push_back(entry);
    }
    return entries;
}

void pickComboEntry(HWND combo, int index)
{
    sendTo(combo, CB_SETCURSEL, WPARAM(index), 0);
    const HWND parent = GetParent(combo);
    const WORD id = WORD(GetDlgCtrlID(combo));
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(combo));
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), LPARAM(combo));
}

void addComboEntry(HWND combo, const std::wstring &entry)
{
    sendTo(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

std::vector<std::wstring> listEntries(HWND list)
{
    std::vector<std::wstring> entries;
    const LRESULT count = sendTo(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = sendTo(list, LB_GETTEXTLEN, WPARAM(i), 0);
        std::wstring entry(std::size_t(length > 0 ? length : 0) + 1, L'\0');
        sendTo(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(std::size_t(length > 0 ? length : 0));
        entries.push_back(entry);
    }
    return entries;
}

int listSelection(HWND list)
{
    return int(sendTo(list, LB_GETCURSEL, 0, 0));
}

void pickListEntry(HWND list, int index)
{
    sendTo(list, LB_SETCURSEL, WPARAM(index), 0);
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 LPARAM(list));
}

std::vector<std::wstring> listViewTexts(HWND listView)
{
    std::vector<std::wstring> texts;
    DWORD pid = 0;
    GetWindowThreadProcessId(listView, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr)
        return texts;
    constexpr int kChars = 1024;
    const SIZE_T size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    auto *remote = static_cast<char *>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    const LRESULT count = remote ? sendTo(listView, LVM_GETITEMCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
        LVITEMW item{};
        item.iSubItem = 0;
        item.cchTextMax = kChars;
        item.pszText = reinterpret_cast<wchar_t *>(remote + sizeof(LVITEMW));
        std::wstring entry(kChars, L'\0');
        if (!WriteProcessMemory(process, remote, &item, sizeof(item), nullptr))
            break;
        const LRESULT length =
            sendTo(listView, LVM_GETITEMTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof(LVITEMW), entry.data(), kChars * sizeof(wchar_t),
                          nullptr);
        entry.resize(std::size_t(length > 0 ? length : 0));
        texts.push_back(entry);
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return texts;
}

} // namespace remote
