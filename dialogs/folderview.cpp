#include "dialogs/folderview.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>

FolderView::FolderView(QWidget *parent) : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    // Hidden folders are listed so that any folder typed for the go-to can be selected.
    m_model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot | QDir::Hidden);
    m_model->setReadOnly(true);
    m_model->setRootPath(QString());
    setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Selection, not the cursor: focusing the tree puts the cursor on its first item unselected.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit folderSelected(); });
}

QString FolderView::selectedPath() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty())
        return {};
    return QDir::toNativeSeparators(m_model->filePath(selected.first()));
}

void FolderView::goTo(const QString &path)
{
    const QModelIndex index = m_model->index(path);
    if (!index.isValid() || !m_model->isDir(index))
        return;
    setCurrentIndex(index);
    scrollTo(index); // opens the branches above it
}
