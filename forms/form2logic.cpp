#include "forms/form2logic.h"

#include "engine/folderpaths.h"
#include "forms/folderboxview.h"
#include "platform/clientpaths.h"
#include "platform/filesystem.h"

namespace forms
{

Form2Logic::Form2Logic(Form2View &view, FolderBoxView &main, std::function<void()> readfolderini)
    : m_view(view), m_main(main), m_readfolderini(std::move(readfolderini))
{
}

void Form2Logic::shown()
{
    if (m_view.treeHasSelection())
        return;
    const std::string chosen = m_main.currentFolder();
    m_view.goTo(!chosen.empty() && platform::isDirectory(chosen) ? chosen : platform::homeFolder());
}

void Form2Logic::FolderView1_SelectionChange(const std::string &path)
{
    m_view.setSelectedLabel(path);
    m_view.showPreview(path);
}

void Form2Logic::Command1_Click()
{
    const std::string selected = m_view.selectedLabel();
    if (selected.empty())
        return; // nothing selected yet: the bare separator would name a drive root
    const char separator = platform::nativeSeparator();
    // A drive root already ends with the separator; a second one would name nothing.
    const std::string path = selected.back() == separator ? selected : selected + separator;
    if (!engine::fileexists(path))
        return;
    m_main.addFolder(path);
    if (m_readfolderini)
        m_readfolderini();
}

void Form2Logic::Command3_Click()
{
    m_view.goTo(m_view.goToText());
}

} // namespace forms
