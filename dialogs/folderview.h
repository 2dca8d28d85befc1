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

    // Moves the selection to the folder `path` names and keeps it in sight while the branches
    // above it load; a path the tree cannot find changes nothing.
    void goTo(const QString &path);

    bool showsHidden() const; // hidden folders are listed
    void setShowsHidden(bool shown);

signals:
    void folderSelected(); // the selection moved to another folder

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void revealPending(); // scrolls to the go-to target again as loaded rows push it around

    QFileSystemModel *m_model; // the folders, read lazily as branches open
    QString m_pending;         // the go-to target kept in sight until the user takes over
};
