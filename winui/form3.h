#pragma once

#include "forms/form3logic.h"
#include "winui/dialogwindow.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace forms
{
class FolderBoxView;
}

namespace winui
{

// The folder list: the main window's folders with their shell icons, drawn a few at a time so the
// window answers at once; removes single folders or empties the list. Closing only hides it.
class Form3 : public DialogWindow, public forms::Form3View
{
public:
    Form3(HINSTANCE instance, HWND owner, forms::FolderBoxView &main);
    ~Form3() override;

    void openList(); // rebuilds the list from the folder box, then shows it modally
    forms::Form3Logic &logic() { return *m_logic; }

    void setEntries(const std::vector<std::string> &folders) override;
    void removeEntry(int row) override;
    int selectedRow() const override;

private:
    void layout(int width, int height) override;
    void command(int id, int code) override;
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT &result) override;
    void resetImages();
    void drawSomeIcons();
    void stopIcons();

    HWND List1;
    HWND Command1;
    HWND Command3; // made before Command2: the tab order follows the row
    HWND Command2;
    HIMAGELIST ImageList1 = nullptr;  // image 0 is the blank one every item starts with
    std::vector<std::string> m_paths; // the items' folders, row for row
    size_t m_nextIcon = 0;            // the first row whose icon is still to draw
    std::optional<forms::Form3Logic> m_logic;
};

} // namespace winui
