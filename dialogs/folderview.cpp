#include "dialogs/folderview.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScrollBar>

namespace
{

// Folders whose name starts with a dot are hidden by the Unix convention, as the hidden
// attribute hides them on Windows; the model applies both through QDir::Hidden.
constexpr QDir::Filters kFolders = QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot;

// True when `path` or a folder above it is one the tree hides.
bool underHiddenFolder(const QString &path)
{
    for (QFileInfo info(QDir::cleanPath(path)); !info.isRoot() && !info.fileName().isEmpty();
         info = QFileInfo(info.path())) {
        if (info.isHidden())
            return true;
    }
    return false;
}

} // namespace

FolderView::FolderView(QWidget *parent) : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setFilter(kFolders);
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
    // A branch is read in the background: its rows arrive, then get sorted, after the go-to.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &FolderView::revealPending);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &FolderView::revealPending);
    connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, [this] { m_pending.clear(); });
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
    // A hidden folder typed in full is wanted: the tree shows hidden folders from then on.
    if (!showsHidden() && QFileInfo(path).isDir() && underHiddenFolder(path))
        setShowsHidden(true);
    const QModelIndex index = m_model->index(path);
    if (!index.isValid() || !m_model->isDir(index))
        return;
    m_pending = m_model->filePath(index);
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
        expand(above); // each opened branch starts loading now
    setCurrentIndex(index);
    revealPending();
}

void FolderView::revealPending()
{
    if (m_pending.isEmpty())
        return;
    const QModelIndex index = m_model->index(m_pending);
    if (!index.isValid() || !selectionModel()->isSelected(index)) {
        m_pending.clear(); // the target went away, or the selection moved elsewhere
        return;
    }
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

bool FolderView::showsHidden() const
{
    return m_model->filter().testFlag(QDir::Hidden);
}

void FolderView::setShowsHidden(bool shown)
{
    m_model->setFilter(shown ? kFolders | QDir::Hidden : kFolders);
}

void FolderView::keyPressEvent(QKeyEvent *event)
{
    m_pending.clear();
    QTreeView::keyPressEvent(event);
}

void FolderView::mousePressEvent(QMouseEvent *event)
{
    m_pending.clear();
    QTreeView::mousePressEvent(event);
}

void FolderView::wheelEvent(QWheelEvent *event)
{
    m_pending.clear();
    QTreeView::wheelEvent(event);
}
