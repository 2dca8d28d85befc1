#pragma once

#include "forms/folderboxview.h"

class QComboBox;

// The main window's folder box Text1, a combo box, as the picker's and the list's logic edit it.
class ComboBoxFolders : public forms::FolderBoxView
{
public:
    explicit ComboBoxFolders(QComboBox *box) : m_box(box) {}

    std::vector<std::string> folders() const override;
    std::string currentFolder() const override;
    void addFolder(const std::string &path) override;
    void removeFolder(int index) override;
    void clearFolders() override;

private:
    QComboBox *m_box; // the main window's, which outlives the dialogs parented to it
};
