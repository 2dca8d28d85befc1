#pragma once

#include <QComboBox>
#include <QStringList>

class QDragEnterEvent;
class QDropEvent;

// The folder box: an editable list of target folders that accepts folders dropped from a file
// manager. A drop only appends entries; the edit line keeps its text.
class FolderBox : public QComboBox
{
    Q_OBJECT
public:
    explicit FolderBox(QWidget *parent = nullptr);

    // Appends each dropped path that names a folder, followed by the separator; files are skipped,
    // duplicates are appended again. Returns how many entries were added.
    int addDroppedFolders(const QStringList &paths);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
