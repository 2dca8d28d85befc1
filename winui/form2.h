#pragma once

#include "forms/form2logic.h"
#include "winui/dialogwindow.h"
#include "winui/foldertree.h"

#include <functional>
#include <optional>

namespace forms
{
class FolderBoxView;
}

namespace winui
{

// The folder picker: a folder tree, the selected path, the folder's shell icon and a go-to field;
// adds folders to the main window's folder box. Closing only hides it.
class Form2 : public DialogWindow, public forms::Form2View
{
public:
    Form2(HINSTANCE instance, HWND owner, forms::FolderBoxView &main,
          std::function<void()> readfolderini);
    ~Form2() override;

    void showModal();
    forms::Form2Logic &logic() { return *m_logic; }

    std::string selectedLabel() const override;
    void setSelectedLabel(const std::string &path) override;
    void showPreview(const std::string &path) override;
    std::string goToText() const override;
    void goTo(const std::string &path) override;
    bool treeHasSelection() const override;

private:
    void layout(int width, int height) override;
    void command(int id, int code) override;
    LRESULT notify(const NMHDR &header) override;
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT &result) override;
    void drawPreview(const DRAWITEMSTRUCT &item) const;
    void selectionChanged();

    HWND FolderView1;
    HWND Label1;
    HWND image1;
    HWND Command1;
    HWND Command2;
    HWND Command3;
    HWND Text1;
    FolderTree m_tree;
    HICON m_preview = nullptr;      // the selected folder's icon as image1 shows it
    bool m_selectionQueued = false; // a selection change waits for the logic
    std::optional<forms::Form2Logic> m_logic;
};

} // namespace winui
