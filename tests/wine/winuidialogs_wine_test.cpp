// The Win32 dialogs driven through their own messages inside their modal loop: keys, clicks and
// what reaches the main window's folder box. With RAVO2_WINUI_SHOTS naming a folder, each dialog
// is also written there as a BMP, as the screen shows it.
#include "engine/settings.h"
#include "forms/folderboxview.h"
#include "forms/languagerows.h"
#include "screenshot.h"
#include "winfiles.h"
#include "winui/controlids.h"
#include "winui/dialogwindow.h"
#include "winui/form2.h"
#include "winui/form3.h"
#include "winui/form4.h"
#include "winui/form5.h"
#include "winui/form6.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using winui::DialogWindow;

namespace
{

// The main window's folder box as the dialogs see it.
struct FakeFolderBox : forms::FolderBoxView {
    std::vector<std::string> list;
    std::string edit;

    std::vector<std::string> folders() const override { return list; }
    std::string currentFolder() const override { return edit; }
    void addFolder(const std::string &path) override
    {
        list.push_back(path);
        edit = path;
    }
    void removeFolder(int index) override { list.erase(list.begin() + index); }
    void clearFolders() override
    {
        list.clear();
        edit.clear();
    }
};

// Windows that keep no texts: the language dialog needs somewhere to send them.
struct NoTargets : forms::LanguageTargets {
    void setText(const forms::LanguageRow &, const std::string &) override {}
    std::string text(const forms::LanguageRow &) const override { return {}; }
};

// Runs test steps one by one from inside a modal loop. Each step waits for a timer tick, which
// comes only once every message the previous step caused has been handled. A dialog still shown
// a second after the last step is hidden, so that a fault fails the test instead of hanging it.
class Steps
{
public:
    Steps(HWND dialog, std::vector<std::function<void()>> steps)
        : m_dialog(dialog), m_steps(std::move(steps))
    {
        WNDCLASSW type{};
        type.lpfnWndProc = proc;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"ravo2.test.steps";
        RegisterClassW(&type);
        m_window = CreateWindowW(type.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 type.hInstance, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetTimer(m_window, 1, 60, nullptr);
    }
    ~Steps() { DestroyWindow(m_window); }
    // Every step ran and the steps themselves closed the dialog.
    bool finished() const { return m_next == m_steps.size() && !m_forced; }

private:
    static LRESULT CALLBACK proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        auto *self = reinterpret_cast<Steps *>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (msg == WM_TIMER && self != nullptr)
            self->tick();
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    void tick()
    {
        if (m_next < m_steps.size()) {
            m_steps[m_next++]();
        } else if (++m_idleTicks > 16 && IsWindowVisible(m_dialog)) {
            m_forced = true;
            ShowWindow(m_dialog, SW_HIDE);
        }
    }

    HWND m_dialog;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    int m_idleTicks = 0;
    bool m_forced = false;
    HWND m_window = nullptr;
};

// A visible top-level window standing for the main window.
class Owner
{
public:
    Owner()
    {
        WNDCLASSW type{};
        type.lpfnWndProc = DefWindowProcW;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = L"ravo2.test.owner";
        RegisterClassW(&type);
        m_window = CreateWindowW(type.lpszClassName, L"ravo2", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                 0, 400, 300, nullptr, nullptr, type.hInstance, nullptr);
    }
    ~Owner() { DestroyWindow(m_window); }
    HWND hwnd() const { return m_window; }

private:
    HWND m_window = nullptr;
};

void pressKey(HWND control, WPARAM key)
{
    SetFocus(control);
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

void click(const DialogWindow &dialog, const char *button)
{
    SendMessageW(dialog.control(button), BM_CLICK, 0, 0);
}

std::string longPath(const std::string &path)
{
    wchar_t full[MAX_PATH];
    const DWORD length = GetLongPathNameW(DialogWindow::wide(path).c_str(), full, MAX_PATH);
    return length > 0 && length < MAX_PATH ? DialogWindow::utf8(full) : path;
}

// Writes what the screen shows of `window` as a 24-bit BMP into RAVO2_WINUI_SHOTS, when set.
void shoot(HWND window, const char *name)
{
    const char *folder = std::getenv("RAVO2_WINUI_SHOTS");
    if (folder == nullptr || *folder == '\0' || *name == '\0')
        return;
    RECT r;
    GetWindowRect(window, &r);
    const std::string path = std::string(folder) + "/" + name + ".bmp";
    Screenshot::ofRect(r).writeBmp(std::wstring(path.begin(), path.end()));
}

std::vector<std::string> listTexts(HWND list)
{
    std::vector<std::string> texts;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        wchar_t text[MAX_PATH] = L"";
        ListView_GetItemText(list, row, 0, text, MAX_PATH);
        texts.push_back(DialogWindow::utf8(text));
    }
    return texts;
}

int imageOf(HWND list, int row)
{
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(list, &item);
    return item.iImage;
}

class WinuiDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }

    Owner m_owner;
    FakeFolderBox m_main;
    winfiles::TempFolder m_temp;
};

TEST_F(WinuiDialogs, PickerGoesToTypedPathOnEnterThenEnterAddsItWithSeparator)
{
    winfiles::makeFolder(m_temp / "alpha");
    winfiles::makeFolder(m_temp / "alpha\\beta");
    const std::string beta = longPath(m_temp / "alpha\\beta");
    int readBacks = 0;
    winui::Form2 picker(GetModuleHandleW(nullptr), m_owner.hwnd(), m_main,
                        [&readBacks] { ++readBacks; });
    HWND text1 = picker.control("Text1");
    HWND tree = picker.control("FolderView1");
    std::string labelAfterGoTo;
    bool ownerDisabled = false;
    Steps steps(picker.hwnd(),
                {
                    [&] {
                        ownerDisabled = !IsWindowEnabled(m_owner.hwnd());
                        DialogWindow::setText(text1, beta);
                        pressKey(text1, VK_RETURN); // in the go-to field: goes, adds nothing
                    },
                    [&] {
                        labelAfterGoTo = DialogWindow::textOf(picker.control("Label1"));
                        pressKey(tree, VK_RETURN); // anywhere else: "Выбрать"
                    },
                    [&] { shoot(picker.hwnd(), "form2"); },
                    [&] { pressKey(tree, VK_ESCAPE); },
                });
    picker.showModal();
    EXPECT_TRUE(steps.finished());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(m_owner.hwnd()));
    EXPECT_FALSE(IsWindowVisible(picker.hwnd()));
    EXPECT_EQ(labelAfterGoTo, beta);
    EXPECT_EQ(m_main.list, std::vector<std::string>{beta + "\\"});
    EXPECT_EQ(m_main.edit, beta + "\\");
    EXPECT_EQ(readBacks, 1);
    // Hidden, not destroyed: the next opening shows the folder left selected.
    EXPECT_EQ(DialogWindow::textOf(picker.control("Label1")), beta);
}

TEST_F(WinuiDialogs, ListRemovalKeepsPositionsAndIconsOfTheOthers)
{
    for (const char *name : {"one", "two", "three"}) {
        winfiles::makeFolder(m_temp / name);
        m_main.list.push_back(m_temp / name + "\\");
    }
    m_main.list.push_back(m_temp / "missing\\"); // no icon: listed with the blank image
    const std::vector<std::string> all = m_main.list;
    winui::Form3 list(GetModuleHandleW(nullptr), m_owner.hwnd(), m_main);
    HWND list1 = list.control("List1");
    std::vector<std::string> shown;
    std::vector<int> images;
    Steps steps(list.hwnd(), {
                                 [&] {
                                     ListView_SetItemState(list1, 1, LVIS_SELECTED | LVIS_FOCUSED,
                                                           LVIS_SELECTED | LVIS_FOCUSED);
                                     click(list, "Command1");
                                 },
                                 [&] {}, // the icons still to draw are drawn in slices
                                 [&] {
                                     shown = listTexts(list1);
                                     for (int row = 0; row < ListView_GetItemCount(list1); ++row)
                                         images.push_back(imageOf(list1, row));
                                     shoot(list.hwnd(), "form3");
                                     click(list, "Command2");
                                 },
                             });
    list.openList();
    EXPECT_TRUE(steps.finished());
    const std::vector<std::string> left{all[0], all[2], all[3]};
    EXPECT_EQ(m_main.list, left);
    EXPECT_EQ(shown, left);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_GT(images[0], 0); // a folder's icon, not the blank one
    EXPECT_GT(images[1], 0);
    EXPECT_NE(images[0], images[1]);
    EXPECT_EQ(images[2], 0);
}

TEST_F(WinuiDialogs, OptionGroupsAreIndependentAndEscapeKeepsChanges)
{
    winui::Form4 options(GetModuleHandleW(nullptr), m_owner.hwnd(), engine::WindowsMode::Xp);
    auto ticked = [&options](const char *name) {
        return SendMessageW(options.control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    std::vector<bool> afterOption2;
    std::vector<bool> afterOption4;
    Steps steps(options.hwnd(), {
                                    [&] {
                                        click(options, "Option2");
                                        afterOption2 = {ticked("Option1"), ticked("Option2"),
                                                        ticked("Option3"), ticked("Option4")};
                                        click(options, "Option4");
                                        afterOption4 = {ticked("Option1"), ticked("Option2"),
                                                        ticked("Option3"), ticked("Option4")};
                                    },
                                    [&] { shoot(options.hwnd(), "form4"); },
                                    [&] { pressKey(options.control("Check1"), VK_ESCAPE); },
                                });
    options.showModal();
    EXPECT_TRUE(steps.finished());
    EXPECT_FALSE(IsWindowVisible(options.hwnd()));
    EXPECT_EQ(afterOption2, (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(afterOption4, (std::vector<bool>{false, true, false, true}));
    EXPECT_TRUE(options.logic().onlyFirstFolder());
    EXPECT_EQ(options.logic().windowsMode(), engine::WindowsMode::Nt9x);
}

TEST_F(WinuiDialogs, RemoveChoiceButtonsRemoveAndEscapeRemovesNothing)
{
    engine::Settings settings;
    settings.setDelall("0");
    const struct {
        const char *shot;
        std::function<void(winui::Form6 &)> act;
        std::vector<std::string> removed;
    } cases[] = {
        {"form6", [](winui::Form6 &f) { click(f, "Command1"); }, {"1"}},
        {"", [](winui::Form6 &f) { click(f, "Command2"); }, {"0"}},
        {"", [](winui::Form6 &f) { pressKey(f.control("Command1"), VK_ESCAPE); }, {}},
        // Enter presses the focused button, the first in the tab order.
        {"", [](winui::Form6 &f) { pressKey(f.control("Command1"), VK_RETURN); }, {"1"}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> removed;
        winui::Form6 choice(
            GetModuleHandleW(nullptr), m_owner.hwnd(),
            [&removed](const std::string &scope) { removed.push_back(scope); }, settings);
        Steps steps(choice.hwnd(), {
                                       [&] { shoot(choice.hwnd(), c.shot); },
                                       [&] { c.act(choice); },
                                   });
        choice.logic().openForRemoval();
        EXPECT_TRUE(steps.finished());
        EXPECT_FALSE(IsWindowVisible(choice.hwnd()));
        EXPECT_EQ(removed, c.removed) << c.shot;
        EXPECT_EQ(settings.delall(), "0"); // Check1 was not ticked: nothing remembered
    }
}

TEST_F(WinuiDialogs, LanguageDialogListsRussianFirstAndEscapeStoresNothing)
{
    winfiles::writeFile(m_temp / "english.lng", "English\r\n");
    _putenv_s("RAVO2_LANGUAGE_DIR", m_temp.path().c_str());
    engine::Settings settings;
    settings.setLanguage(0);
    NoTargets windows;
    winui::Form5 languages(GetModuleHandleW(nullptr), m_owner.hwnd(), windows, settings);
    HWND list1 = languages.control("List1");
    LRESULT entries = 0;
    wchar_t first[64] = L"";
    Steps steps(languages.hwnd(), {
                                      [&] {
                                          entries = SendMessageW(list1, LB_GETCOUNT, 0, 0);
                                          SendMessageW(list1, LB_GETTEXT, 0,
                                                       reinterpret_cast<LPARAM>(first));
                                          SendMessageW(list1, LB_SETCURSEL, WPARAM(entries - 1), 0);
                                          shoot(languages.hwnd(), "form5");
                                      },
                                      [&] { pressKey(list1, VK_ESCAPE); },
                                  });
    languages.openDialog();
    EXPECT_TRUE(steps.finished());
    EXPECT_FALSE(IsWindowVisible(languages.hwnd()));
    _putenv_s("RAVO2_LANGUAGE_DIR", "");
    EXPECT_GE(entries, 2);
    EXPECT_STREQ(first, L"Русский");
    EXPECT_EQ(settings.language(), "0"); // Esc is not "Отмена": the last entry was not stored
}

} // namespace
