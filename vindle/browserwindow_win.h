#pragma once

#include "platform/componenttypes.h"

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace vindle
{

class PictureSurface;

// Form1 in plain Win32: the browser window listing every icon of one library file. One per
// thread; it deletes itself when its window is destroyed.
class BrowserWindow
{
public:
    // Control and menu identifiers (tests find the controls by them); Command2 is IDOK, so Enter
    // presses it.
    enum : int {
        idCommand2 = IDOK,
        idListView1 = 101,
        idText1,
        idCommand3,
        idLabel1,
        idLabel2,
        idGetf = 201,
        idRedraw,
        idViewBig,
        idViewList,
        idViewTable,
    };

    // This thread's window; null until created and again once closed.
    static BrowserWindow *threadWindow();
    // Creates this thread's window hidden (Form_Load); null with the error when it cannot.
    static BrowserWindow *create(HRESULT &status);

    void setPath(const std::u16string &path);
    HRESULT readicons();                // reads the library named in Text1 into the list
    void showWith(unsigned char modal); // non-zero: returns after the window closed
    HWND handle() const { return m_window; }

private:
    BrowserWindow() = default;
    static void forgetThreadWindow();
    bool createControls();
    void createMenus();
    void refresh(); // Command3 and mnuViewRedraw
    void Command2_Click();
    void ListView1_ItemClick(int position);
    void mnuFileGetf_Click();
    void Form_Resize();
    void setView(DWORD listStyle);
    void setLabel2(int value);
    void close();
    void enableOthers();
    static int toPixels(int twips, double dpi);
    static std::wstring textOf(HWND control);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(const NMHDR &header);
    LRESULT onCustomDraw(const NMLVCUSTOMDRAW &draw);
    static constexpr int kSelectionFrame = 2; // pixels of the selected icon's frame
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK dialogKeys(int code, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK disableOther(HWND other, LPARAM self); // for the modal showing

    HWND m_window = nullptr;
    HWND ListView1 = nullptr;          // the icons
    HWND Text1 = nullptr;              // the library path
    HWND Command2 = nullptr;           // "Выбрать иконку"
    HWND Command3 = nullptr;           // "Обновить"
    HWND Label1 = nullptr;             // "Индекс:"
    HWND Label2 = nullptr;             // index of the icon selected last
    HIMAGELIST imgLargeIcon = nullptr; // 32-pixel pictures
    HIMAGELIST imgSmalIcon = nullptr;  // 16-pixel pictures
    HFONT m_font = nullptr;            // the system's message font, for every control
    HHOOK m_keys = nullptr;            // routes Tab, Enter and Escape to the controls
    double m_dpiX = 96;
    double m_dpiY = 96;
    std::vector<HWND> m_disabled; // the thread's windows that the modal showing disabled
};

} // namespace vindle
