#include "mainwindow/folderbox.h"

#include "platform/filesystem.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

FolderBox::FolderBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // Typing never adds an entry: only drops, the folder picker and the command line do.
    setInsertPolicy(QComboBox::NoInsert);
    setAcceptDrops(true);
    // The edit line would take text drops itself; without them the whole box gets the drop.
    lineEdit()->setAcceptDrops(false);
}

int FolderBox::addDroppedFolders(const QStringList &paths)
{
    const QChar separator = QLatin1Char(platform::nativeSeparator());
    const QString editText = currentText();
    int added = 0;
    for (const QString &path : paths) {
        if (path.isEmpty() || !platform::isDirectory(path.toStdString()))
            continue;
        addItem(path.endsWith(separator) ? path : path + separator);
        ++added;
    }
    // Adding to an empty list would make the first entry current and show it.
    setEditText(editText);
    return added;
}

void FolderBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FolderBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void FolderBox::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << QDir::toNativeSeparators(url.toLocalFile());
    }
    addDroppedFolders(paths);
    event->acceptProposedAction();
}
