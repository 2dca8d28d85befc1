#pragma once

#include <string>
#include <vector>

namespace forms
{

class FolderBoxView;

// What the folder list needs from a front-end's window; the icons are the front-end's to draw.
class Form3View
{
public:
    virtual ~Form3View() = default;
    virtual void setEntries(const std::vector<std::string> &folders) = 0; // List1, icons pending
    virtual void removeEntry(int row) = 0;
    virtual int selectedRow() const = 0; // -1 when none is selected
};

// What the folder list does: mirrors the main window's folder box and takes folders out of it.
class Form3Logic
{
public:
    Form3Logic(Form3View &view, FolderBoxView &main);

    void buildList();      // one entry per folder box entry, in order
    void Command1_Click(); // "Удалить": the selected folder leaves both lists
    void Command3_Click(); // "Очистить": both lists and the folder box's edit line are emptied

private:
    Form3View &m_view;     // the list's window
    FolderBoxView &m_main; // the main window, whose folder box the list edits position for position
};

} // namespace forms
