#include "dialogs/comboboxfolders.h"

#include <QComboBox>

std::vector<std::string> ComboBoxFolders::folders() const
{
    std::vector<std::string> all;
    all.reserve(static_cast<std::size_t>(m_box->count()));
    for (int i = 0; i < m_box->count(); ++i)
        all.push_back(m_box->itemText(i).toStdString());
    return all;
}

std::string ComboBoxFolders::currentFolder() const
{
    return m_box->currentText().toStdString();
}

void ComboBoxFolders::addFolder(const std::string &path)
{
    const QString text = QString::fromStdString(path);
    m_box->addItem(text);
    if (m_box->isEditable())
        m_box->setEditText(text);
    else
        m_box->setCurrentIndex(m_box->count() - 1);
}

void ComboBoxFolders::removeFolder(int index)
{
    if (index < 0 || index >= m_box->count())
        return;
    // The box's edit line names the selected folder on its own; removing an entry leaves it.
    const QString editText = m_box->currentText();
    m_box->removeItem(index);
    if (m_box->isEditable())
        m_box->setEditText(editText);
}

void ComboBoxFolders::clearFolders()
{
    m_box->clear();
    m_box->clearEditText();
}
