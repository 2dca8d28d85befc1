#pragma once

#include <functional>
#include <string>

namespace forms
{

class FolderBoxView;

// What the folder picker needs from a front-end's window: its tree, label, preview and go-to field.
class Form2View
{
public:
    virtual ~Form2View() = default;
    virtual std::string selectedLabel() const = 0; // Label1: the selected folder's path
    virtual void setSelectedLabel(const std::string &path) = 0;
    virtual void showPreview(const std::string &path) = 0; // image1: cleared, then path's icon
    virtual std::string goToText() const = 0;              // Text1
    virtual void goTo(const std::string &path) = 0;        // the tree selects that folder
    virtual bool treeHasSelection() const = 0;
};

// What the folder picker does: shows the selected folder and adds it to the main window's list.
class Form2Logic
{
public:
    // `readfolderini` reads the main window's current folder back into its fields.
    Form2Logic(Form2View &view, FolderBoxView &main, std::function<void()> readfolderini);

    void shown(); // a fresh tree starts at the main window's folder or home
    void FolderView1_SelectionChange(const std::string &path);
    void Command1_Click(); // "Выбрать": add the selected folder
    void Command3_Click(); // "Перейти к...": the tree goes to the typed path

private:
    Form2View &m_view;                     // the picker's window
    FolderBoxView &m_main;                 // the main window, whose folder box receives the folder
    std::function<void()> m_readfolderini; // the main window's read-back
};

} // namespace forms
