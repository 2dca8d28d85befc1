#pragma once

#include <QStackedWidget>
#include <QStandardItemModel>

class QListView;
class QTreeView;
class QAbstractItemView;

namespace vindle
{

class ImageList;

// IconListView: a list view with large-icon, list and report modes over one set of items.
class IconListView final : public QStackedWidget
{
    Q_OBJECT
public:
    enum View { LargeIcons = 0, List = 2, Report = 3 }; // the list view's View values

    explicit IconListView(QWidget *parent = nullptr);

    void setView(int view);
    int view() const { return m_view; }
    void addColumn(const QString &caption); // a report column header
    QStringList columns() const;

    void clear(); // removes all items
    // Attaches image lists (null detaches); items added later take their pictures from them.
    void setImageLists(const ImageList *large, const ImageList *small);
    // Appends an item with empty text, images at the given positions and one sub-item text.
    void addItem(int largeImage, int smallImage, const QString &subItem);
    int count() const { return m_model.rowCount(); }
    QString subItemText(int position) const;
    QIcon itemIcon(int position) const;

    int selectedPosition() const; // from 1; 0 when nothing is selected
    void select(int position);    // 0 selects nothing
    QAbstractItemView *currentView() const;
    QRect itemRect(int position) const; // in currentView()'s viewport

signals:
    void itemClick(int position); // an item became the selected one by the user or a selection

private:
    QStandardItemModel m_model;
    QListView *m_icons;
    QTreeView *m_report;
    const ImageList *m_large = nullptr;
    const ImageList *m_small = nullptr;
    int m_view = LargeIcons;
};

} // namespace vindle
