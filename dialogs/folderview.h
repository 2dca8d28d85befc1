#pragma once

#include <QTreeView>

class QFileSystemModel;

// The folder tree of the picker: folders only, from the file system's root (the drives on Windows).
class FolderView : public QTreeView
{
    Q_OBJECT
public:
    explicit FolderView(QWidget *parent = nullptr);

    // The selected folder's full path with native separators; empty when nothing is selected.
    QString selectedPath() const;

    // Moves the selection to the folder `path` names; a path the tree cannot find changes nothing.
    void goTo(const QString &path);

signals:
    void folderSelected(); // the selection moved to another folder

private:
    QFileSystemModel *m_model; // the folders, read lazily as branches open
};
