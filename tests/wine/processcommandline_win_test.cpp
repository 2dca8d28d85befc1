#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace
{

std::wstring childPath()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"commandlinechild.exe";
}

// Starts the child with exactly `commandLine` and returns what it printed.
std::string tailSeenByChild(std::wstring commandLine)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return "(no pipe)";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const std::wstring application = childPath();
    const BOOL started = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr,
                                        TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    char buffer[512];
    DWORD got = 0;
    while (started && ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    CloseHandle(readEnd);
    if (!started)
        return "(not started)";
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return output;
}

} // namespace

TEST(ProcessCommandLineWin, TheProgramPathAndTheBlanksAfterItAreCut)
{
    const std::wstring child = childPath();
    EXPECT_EQ(tailSeenByChild(L"\"" + child + L"\" -fp C:\\a\\ -tt \"x  y\""),
              "-fp C:\\a\\ -tt \"x  y\"");
    EXPECT_EQ(tailSeenByChild(L"ravo2.exe \t  -wv 9x  "), "-wv 9x  ");
    EXPECT_EQ(tailSeenByChild(L"\"C:\\Program Files\\ravo2.exe\""), "");
    EXPECT_EQ(tailSeenByChild(L"ravo2.exe"), "");
}

TEST(ProcessCommandLineWin, QuotesInsideTheProgramPathFollowTheRuntimesRule)
{
    EXPECT_EQ(tailSeenByChild(L"\"C:\\a b\"x.exe -fp c"), "-fp c");
    EXPECT_EQ(tailSeenByChild(L"C:\\a\"b c\"d.exe -fp c"), "-fp c");
}

TEST(ProcessCommandLineWin, CharactersOutsideTheAnsiCodePageSurviveAsUtf8)
{
    // -fp C:\Папка\ -tt Φάκελος フォ
    EXPECT_EQ(tailSeenByChild(L"ravo2.exe -fp C:\\\x041F\x0430\x043F\x043A\x0430\\ -tt "
                              L"\x03A6\x03AC\x03BA\x03B5\x03BB\x03BF\x03C2 \x30D5\x30A9"),
              "-fp C:\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0\\ -tt "
              "\xCE\xA6\xCE\xAC\xCE\xBA\xCE\xB5\xCE\xBB\xCE\xBF\xCF\x82 "
              "\xE3\x83\x95\xE3\x82\xA9");
}
