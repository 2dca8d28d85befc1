#pragma once

#include "forms/form1logic.h"
#include "forms/form1view.h"
#include "winui/languagewindows.h"
#include "winui/window.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace engine
{
class Settings;
}

namespace winui
{

class Form2;
class Form3;
class Form4;
class Form5;
class Form6;

// The main window in plain Win32: builds its controls and menus in twips at the monitor's DPI,
// turns their notifications into calls of its Form1Logic and shows what the logic sets.
class Form1 final : public Window, public forms::Form1View
{
public:
    Form1(HINSTANCE instance, engine::Settings &settings);
    ~Form1() override;
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // Makes the window with its controls and menus, hidden; false when the system refused.
    bool create();
    void show(int showCommand);
    forms::Form1Logic &logic() { return m_logic; }
    forms::LanguageTargets &languageWindows() { return m_languages; }

    HWND hwnd() const override { return m_window; }
    HWND control(std::string_view name) const override;
    // Window `number` (1 to 6) of the run, a dialog created hidden when first asked for.
    Window *window(int number);
    // The menus and menu items by name ("mnuFile", "mnuAbout"), as the language files set them.
    bool hasMenu(std::string_view name) const;
    std::string menuText(std::string_view name) const;
    void setMenuText(std::string_view name, const std::string &text);

    // forms::FormPrompts
    forms::Answer message(forms::MessageIcon icon, const std::string &title,
                          const std::string &text, forms::MessageButtons buttons) override;
    std::optional<std::string> openFile(const std::string &filter,
                                        const std::string &initialFile) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;
    // forms::FolderBoxView
    std::vector<std::string> folders() const override;
    std::string currentFolder() const override;
    void addFolder(const std::string &path) override;
    void removeFolder(int index) override;
    void clearFolders() override;
    // forms::Form1View
    std::string text(forms::Form1Text box) const override;
    void setText(forms::Form1Text box, const std::string &text) override;
    bool isTicked(forms::Form1Tick tick) const override;
    void setTicked(forms::Form1Tick tick, bool on) override;
    std::uint32_t nameColour() const override { return m_colour; }
    void setNameColour(std::uint32_t colour) override;
    void setApplyCaption(const std::string &caption) override;
    void showIconSource(engine::IconSource source) override;
    void focusInfoTip() override;
    std::string aboutMenuCaption() const override;
    forms::Form4Logic &optionsLogic() override;
    forms::Form6Logic &removeChoiceLogic() override;
    void setCaption(const std::string &caption) override;
    void openPicker() override;
    void openFolderList() override;
    void openOptions() override;
    void openLanguages() override;
    std::unique_ptr<forms::RunProgressView> startProgress() override;

private:
    // One menu or menu item: where it sits, so its text can be set by position.
    struct MenuEntry {
        std::string_view name;
        HMENU parent;  // the menu bar or the menu holding it
        UINT position; // its place there
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK folderBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR form);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int code);
    void onFolderBoxPick(int code);
    void dropFiles(HDROP drop);
    void onDpiChanged(UINT dpi, const RECT &suggested);

    // form1controls.cpp: the controls, the menus, their places and the window's size.
    void createControls();
    void createMenus();
    void placeControls();
    void fitWindow(const RECT *suggested);
    void useFont();
    void fitLabels();
    HWND textBox(forms::Form1Text box) const;
    HWND checkBox(forms::Form1Tick tick) const;

    HINSTANCE m_instance;         // the program's module: window class, icon, dialogs
    engine::Settings &m_settings; // the per-user options
    forms::Form1Logic m_logic;    // what the window does
    LanguageWindows m_languages;  // the six windows as the language files reach them
    HWND m_window = nullptr;
    HMENU m_bar = nullptr;
    std::vector<MenuEntry> m_menus;
    std::vector<std::pair<std::string_view, HWND>> m_controls; // by name, in creation order
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;                      // the monitor's, the twips' scale
    HFONT m_font = nullptr;                                    // the system's message font at m_dpi
    std::vector<HFONT> m_narrowFonts; // m_font narrowed for the labels it would not fit
    std::uint32_t m_colour = 0;       // Picture1's background, 0x00BBGGRR
    HBRUSH m_colourBrush = nullptr;   // paints Picture1
    engine::IconSource m_source = engine::IconSource::File; // the layout shown
    bool m_quiet = false; // a setter is changing a control: its notification is not the user's
    bool m_pickPending = false;     // an entry was picked in the open drop-down list
    std::unique_ptr<Form2> m_form2; // folder picker, created on first use
    std::unique_ptr<Form3> m_form3; // folder list
    std::unique_ptr<Form4> m_form4; // options dialog
    std::unique_ptr<Form5> m_form5; // language dialog
    bool m_makingForm5 = false;     // its constructor runs
    std::unique_ptr<Form6> m_form6; // remove choice
};

} // namespace winui
