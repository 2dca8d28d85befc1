#include "settingsstore.h"

#include "win32text_win.h"

#include <windows.h>

namespace platform
{

namespace
{

// Where Visual Basic's SaveSetting and GetSetting keep every program's settings.
constexpr const char *kSettingsRoot = "Software\\VB and VBA Program Settings\\";

// A backslash would make a name walk into other keys of the registry.
bool isKeyName(std::string_view name)
{
    return !name.empty() && name.find('\\') == std::string_view::npos;
}

struct KeyCloser {
    HKEY key = nullptr;
    ~KeyCloser()
    {
        if (key != nullptr)
            RegCloseKey(key);
    }
};

} // namespace

SettingsStore::SettingsStore(std::string application) : m_application(std::move(application)) {}

std::string SettingsStore::location() const
{
    return "HKEY_CURRENT_USER\\" + std::string(kSettingsRoot) + m_application;
}

std::string SettingsStore::get(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const
{
    const auto subkey =
        win32::toWide(std::string(kSettingsRoot) + m_application + "\\" + std::string(section));
    const auto name = win32::toWide(key);
    if (!isKeyName(m_application) || !isKeyName(section) || !subkey || !name)
        return std::string(defaultValue);
    KeyCloser opened;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey->c_str(), 0, KEY_QUERY_VALUE, &opened.key) !=
        ERROR_SUCCESS)
        return std::string(defaultValue);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.key, name->c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::string(defaultValue);
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = DWORD(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(opened.key, name->c_str(), nullptr, &type,
                         reinterpret_cast<BYTE *>(value.data()), &size) != ERROR_SUCCESS)
        return std::string(defaultValue);
    // The stored string may or may not end with its terminating zero.
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0')
        value.pop_back();
    return win32::toUtf8(value);
}

Status SettingsStore::save(std::string_view section, std::string_view key, std::string_view value)
{
    const auto subkey =
        win32::toWide(std::string(kSettingsRoot) + m_application + "\\" + std::string(section));
    const auto name = win32::toWide(key);
    const auto text = win32::toWide(value);
    if (!subkey || !name || !text)
        return win32::invalidTextStatus();
    if (!isKeyName(m_application) || !isKeyName(section) || key.empty() ||
        text->find(L'\0') != std::wstring::npos)
        return win32::statusFor(ERROR_INVALID_PARAMETER);
    KeyCloser created;
    LSTATUS result = RegCreateKeyExW(HKEY_CURRENT_USER, subkey->c_str(), 0, nullptr, 0,
                                     KEY_SET_VALUE, nullptr, &created.key, nullptr);
    if (result != ERROR_SUCCESS)
        return win32::statusFor(DWORD(result));
    const DWORD bytes = DWORD((text->size() + 1) * sizeof(wchar_t));
    result = RegSetValueExW(created.key, name->c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE *>(text->c_str()), bytes);
    if (result != ERROR_SUCCESS)
        return win32::statusFor(DWORD(result));
    return Status::success();
}

} // namespace platform
