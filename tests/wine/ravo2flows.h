#pragma once

// The user's roads through ravo2.exe's windows, each a set of checks made from outside: what the
// driver plays, step by step, against one running program.
#include "ravo2session.h"
#include "remotewindows.h"
#include "screenshot.h"

#include <windows.h>

#include <initializer_list>
#include <string>

namespace flows
{

inline constexpr wchar_t kSettingsKey[] = L"Software\\VB and VBA Program Settings\\ravo2";
inline constexpr wchar_t kTip[] = L"Фото за 2024 год";
inline constexpr wchar_t kLibrary[] = L"C:\\windows\\system32\\shell32.dll";
inline constexpr int kManyFolders = 1500; // the script makes many\0 ... many\1499

// A caption as set, with the CR LF a multi-line control may need read back as the lone CR.
inline std::wstring caption(HWND control)
{
    std::wstring text = remote::text(control);
    for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
        text.erase(at + 1, 1);
    return text;
}

inline bool waitCaption(HWND control, const std::wstring &want, int milliseconds = 5000)
{
    return remote::waitUntil([&] { return caption(control) == want; }, milliseconds);
}

inline bool waitChecked(HWND button, bool want, int milliseconds = 3000)
{
    return remote::waitUntil([&] { return remote::isChecked(button) == want; }, milliseconds);
}

inline bool exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool waitExists(const std::wstring &path, bool want, int milliseconds = 10000)
{
    return remote::waitUntil([&] { return exists(path) == want; }, milliseconds);
}

inline std::string quoted(const std::wstring &text)
{
    return "\"" + remote::narrow(text) + "\"";
}

// The flows in the order the driver runs them: each leaves what the next one starts from (the
// folders listed, the fields filled, the main window alone on the screen).
class Flows
{
public:
    Flows(Ravo2Session &session, std::wstring revision, bool browser)
        : s(session), m_revision(std::move(revision)), m_browser(browser)
    {
    }
    void startState();
    void fieldsTickTheirBoxes();
    void chooseFolders();
    void iconFileTipPictureColour();
    void apply(const std::string &name, const std::wstring &icon, bool nt9x);
    void readBack();
    void missingIconAsksAndChooses();
    void iconLibraryLayout();
    void options9x();
    void folderList();
    void removeChoice();
    void progressAndClear();
    void aboutBox();
    void singleCopy();
    void language();

private:
    HWND c(int id) const { return s.mainControl(id); }
    bool chooseFile(int button, const std::wstring &file, HWND field);
    void faceColoured(HWND window, const Screenshot &shot, std::initializer_list<int> controls);
    void record(const std::string &name, const std::wstring &icon, bool nt9x);

    Ravo2Session &s;                  // the running program and the checks' record
    std::wstring m_revision;          // the version's third part, as the title shows it
    bool m_browser;                   // the component is registered: its browser can be played
    int m_pixelsPerTwips360 = 24;     // the layouts' step at the screen's DPI
    Screenshot m_fileLayout;          // the main window in the file layout, filled in
    std::string m_libraryIndex = "0"; // what the index field holds
};

} // namespace flows
