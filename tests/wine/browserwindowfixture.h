#pragma once

// The browser window opened modeless in process on fixture libraries whose icons each have their
// own colour, with helpers to drive it and to run the thread's messages.
#include "iconfixtures.h"
#include "platform/unicode.h"
#include "vindle/browserwindow_win.h"
#include "vindle/componentservices.h"
#include "vindle/modulestate.h"
#include "winfiles.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

// Runs the thread's messages until `done` holds or a second has passed.
template <typename Condition> inline bool pumpUntil(Condition done)
{
    for (int i = 0; i < 100 && !done(); ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
    return done();
}

inline std::wstring textOf(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

class BrowserWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(iconfixtures::writeFile(
            m_folder / "four.dll", iconfixtures::buildModule(iconfixtures::plainModule(4))));
        vindle::ChosenIconIndex = 0;
    }
    void TearDown() override
    {
        if (vindle::BrowserWindow *form = vindle::BrowserWindow::threadWindow())
            DestroyWindow(form->handle());
    }

    // Opens the window modeless on `name` and finds its controls.
    void open(const std::string &name)
    {
        const std::u16string path = platform::utf8ToUtf16(m_folder / name);
        ASSERT_EQ(vindle::componentServices().browser.open(path, 0), S_OK);
        ASSERT_NE(vindle::BrowserWindow::threadWindow(), nullptr);
        m_form = vindle::BrowserWindow::threadWindow()->handle();
        m_list = GetDlgItem(m_form, vindle::BrowserWindow::idListView1);
        m_label2 = GetDlgItem(m_form, vindle::BrowserWindow::idLabel2);
        ASSERT_TRUE(IsWindowVisible(m_form));
    }
    void select(int item)
    {
        ListView_SetItemState(m_list, item, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    void command(int id) { SendMessageW(m_form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    RECT placeOf(int id)
    {
        RECT r;
        GetWindowRect(GetDlgItem(m_form, id), &r);
        return r;
    }

    winfiles::TempFolder m_folder;
    HWND m_form = nullptr;
    HWND m_list = nullptr;
    HWND m_label2 = nullptr;
};
