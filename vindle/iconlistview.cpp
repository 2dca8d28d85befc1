#include "vindle/iconlistview.h"

#include "vindle/imagelist.h"

#include <QHeaderView>
#include <QListView>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace vindle
{
namespace
{

// Marks a selected item over its whole picture: the items have no text, and styles mark only the
// text of a selected icon, which leaves a thin bar under it.
class WholeItemSelection final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->showDecorationSelected = true;
    }
};

} // namespace

IconListView::IconListView(QWidget *parent)
    : QStackedWidget(parent), m_icons(new QListView(this)), m_report(new QTreeView(this))
{
    m_icons->setObjectName("ListView1_icons");
    m_report->setObjectName("ListView1_report");
    m_icons->setModel(&m_model);
    m_report->setModel(&m_model);
    m_report->setSelectionModel(m_icons->selectionModel());
    m_report->setRootIsDecorated(false);
    m_report->setUniformRowHeights(true);
    m_report->setIconSize(QSize(16, 16));
    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_icons), static_cast<QAbstractItemView *>(m_report)}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // The list's background is the button face, its text the window text.
        view->setBackgroundRole(QPalette::Button);
        view->viewport()->setBackgroundRole(QPalette::Button);
        view->setForegroundRole(QPalette::WindowText);
        addWidget(view);
    }
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setWrapping(true);
    m_icons->setUniformItemSizes(true);
    m_icons->setItemDelegate(new WholeItemSelection(m_icons));
    connect(m_icons->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    emit itemClick(current.row() + 1);
            });
    setView(LargeIcons);
}

void IconListView::setView(int view)
{
    m_view = view;
    if (view == Report) {
        setCurrentWidget(m_report);
        return;
    }
    const bool large = view == LargeIcons;
    m_icons->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    m_icons->setFlow(large ? QListView::LeftToRight : QListView::TopToBottom);
    m_icons->setWrapping(true);
    m_icons->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    m_icons->setGridSize(large ? QSize(48, 48) : QSize());
    m_icons->setSpacing(large ? 0 : 2);
    setCurrentWidget(m_icons);
}

void IconListView::addColumn(const QString &caption)
{
    const int column = m_model.columnCount();
    m_model.setColumnCount(column + 1);
    m_model.setHeaderData(column, Qt::Horizontal, caption);
}

QStringList IconListView::columns() const
{
    QStringList captions;
    for (int c = 0; c < m_model.columnCount(); ++c)
        captions << m_model.headerData(c, Qt::Horizontal).toString();
    return captions;
}

void IconListView::clear()
{
    m_model.removeRows(0, m_model.rowCount());
}

void IconListView::setImageLists(const ImageList *large, const ImageList *small)
{
    m_large = large;
    m_small = small;
}

void IconListView::addItem(int largeImage, int smallImage, const QString &subItem)
{
    QIcon icon;
    if (m_large && largeImage >= 1 && largeImage <= m_large->count())
        icon.addPixmap(QPixmap::fromImage(m_large->picture(largeImage)));
    if (m_small && smallImage >= 1 && smallImage <= m_small->count())
        icon.addPixmap(QPixmap::fromImage(m_small->picture(smallImage)));
    auto *item = new QStandardItem(icon, QString());
    auto *sub = new QStandardItem(subItem);
    item->setEditable(false);
    sub->setEditable(false);
    m_model.appendRow({item, sub});
}

QString IconListView::subItemText(int position) const
{
    return m_model.data(m_model.index(position - 1, 1)).toString();
}

QIcon IconListView::itemIcon(int position) const
{
    return m_model.data(m_model.index(position - 1, 0), Qt::DecorationRole).value<QIcon>();
}

int IconListView::selectedPosition() const
{
    const QModelIndexList selected = m_icons->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? 0 : selected.first().row() + 1;
}

void IconListView::select(int position)
{
    QItemSelectionModel *selection = m_icons->selectionModel();
    if (position < 1 || position > count()) {
        selection->clear();
        return;
    }
    selection->setCurrentIndex(m_model.index(position - 1, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QAbstractItemView *IconListView::currentView() const
{
    return qobject_cast<QAbstractItemView *>(currentWidget());
}

QRect IconListView::itemRect(int position) const
{
    return currentView()->visualRect(m_model.index(position - 1, 0));
}

} // namespace vindle
