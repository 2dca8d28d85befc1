#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

class QComboBox;
class QListWidget;
class QPushButton;

// The folder list: shows the main window's target folders with their icons and removes them.
class Form3 : public QDialog
{
    Q_OBJECT
public:
    Form3(QComboBox *folderBox, QWidget *parent = nullptr);

    int openList();   // rebuilds from the folder box, then shows modally
    void buildList(); // one item per folder box entry, in order; the icons follow in the background
    bool iconsPending() const; // some items still wait for their icons

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Command1_Click(); // removes the selected folder from both lists
    void Command3_Click(); // empties both lists and the folder box's edit line
    void buildLayout();
    void drawSomeIcons(); // one time slice of icons, in list order

    QComboBox *m_folderBox; // the main window's Text1, kept position for position with List1
    QImage m_scratch;       // drawing surface for one folder icon at a time
    QIcon m_blank;          // what an item shows until its icon is drawn, and when it has none
    QTimer m_iconTimer;     // draws the icons between the user's events
    int m_nextIcon = 0;     // the first item whose icon is not drawn yet
    QListWidget *List1;     // the folders with their icons
    QPushButton *Command1;  // "Удалить"
    QPushButton *Command2;  // "Выход"
    QPushButton *Command3;  // "Очистить"
};
