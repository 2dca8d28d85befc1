#include "forms/form3logic.h"

#include "forms/folderboxview.h"

namespace forms
{

Form3Logic::Form3Logic(Form3View &view, FolderBoxView &main) : m_view(view), m_main(main) {}

void Form3Logic::buildList()
{
    m_view.setEntries(m_main.folders());
}

void Form3Logic::Command1_Click()
{
    const int row = m_view.selectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_main.folders().size())
        return; // nothing selected: nothing happens, nothing is said
    m_main.removeFolder(row);
    m_view.removeEntry(row);
}

void Form3Logic::Command3_Click()
{
    m_view.setEntries({});
    m_main.clearFolders();
}

} // namespace forms
