#include "platform/settingsstore.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace platform;

namespace
{

const std::wstring kRoot = L"Software\\VB and VBA Program Settings\\";

// A store of its own for each test, deleted from the registry afterwards.
class SettingsStoreWin : public ::testing::Test
{
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, (kRoot + kApp).c_str()); }

    // The value as the registry holds it, or "(absent)" / "(type N)".
    static std::wstring raw(const std::wstring &section, const std::wstring &name)
    {
        wchar_t buffer[256] = {};
        DWORD size = sizeof buffer;
        DWORD type = 0;
        const LSTATUS result =
            RegGetValueW(HKEY_CURRENT_USER, (kRoot + kApp + L"\\" + section).c_str(), name.c_str(),
                         RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size);
        if (result != ERROR_SUCCESS)
            return L"(absent)";
        return type == REG_SZ ? std::wstring(buffer) : L"(type " + std::to_wstring(type) + L")";
    }

    static inline const std::wstring kApp = L"ravo2-test-" + std::to_wstring(GetCurrentProcessId());
    SettingsStore m_store{"ravo2-test-" + std::to_string(GetCurrentProcessId())};
};

} // namespace

TEST_F(SettingsStoreWin, AbsentKeysGiveTheDefault)
{
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "0");
    ASSERT_TRUE(m_store.save("Options", "language", "3").ok());
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "0");
    EXPECT_EQ(m_store.get("Other", "language", "1"), "1");
    EXPECT_EQ(m_store.location(),
              "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\ravo2-test-" +
                  std::to_string(GetCurrentProcessId()));
}

TEST_F(SettingsStoreWin, ValuesAreStringsUnderTheProgramSettingsKey)
{
    ASSERT_TRUE(m_store.save("Options", "clearlistoffolders", "1").ok());
    ASSERT_TRUE(m_store.save("Options", "delall", "2").ok());
    ASSERT_TRUE(m_store.save("Options", "clearlistoffolders", "0").ok());
    EXPECT_EQ(raw(L"Options", L"clearlistoffolders"), L"0");
    EXPECT_EQ(raw(L"Options", L"delall"), L"2");
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "2");

    const std::string cyrillic = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0"; // Папка
    ASSERT_TRUE(m_store.save("Options", "note", cyrillic).ok());
    EXPECT_EQ(raw(L"Options", L"note"), L"\x041F\x0430\x043F\x043A\x0430");
    EXPECT_EQ(m_store.get("Options", "note", ""), cyrillic);
}

TEST_F(SettingsStoreWin, ValuesOfAnotherTypeReadAsAbsent)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kRoot + kApp + L"\\Options").c_str(), 0, nullptr,
                              0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 1;
    RegSetValueExW(key, L"delall", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number),
                   sizeof number);
    // A string stored without its terminating zero still reads whole.
    RegSetValueExW(key, L"language", 0, REG_SZ, reinterpret_cast<const BYTE *>(L"12"),
                   2 * sizeof(wchar_t));
    RegCloseKey(key);
    EXPECT_EQ(m_store.get("Options", "delall", "0"), "0");
    EXPECT_EQ(m_store.get("Options", "language", "1"), "12");
}

TEST_F(SettingsStoreWin, NamesThatWouldReachOtherKeysAreRefused)
{
    EXPECT_FALSE(m_store.save("Options\\..\\Evil", "delall", "1").ok());
    EXPECT_FALSE(m_store.save("", "delall", "1").ok());
    EXPECT_FALSE(m_store.save("Options", "", "1").ok());
    EXPECT_FALSE(m_store.save("Options", "delall", std::string("1\0", 2)).ok());
    EXPECT_EQ(raw(L"Options", L"delall"), L"(absent)");
    EXPECT_EQ(m_store.get("Options\\..\\Evil", "delall", "d"), "d");
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, (kRoot + kApp).c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
}
