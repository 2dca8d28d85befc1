#pragma once

#include "dialogs/comboboxfolders.h"
#include "forms/form3logic.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QTimer>

class QComboBox;
class QListWidget;
class QPushButton;

// The folder list: shows the main window's target folders with their icons and removes them.
class Form3 : public QDialog, public forms::Form3View
{
    Q_OBJECT
public:
    Form3(QComboBox *folderBox, QWidget *parent = nullptr);

    int openList();   // rebuilds from the folder box, then shows modally
    void buildList(); // one item per folder box entry, in order; the icons follow in the background
    bool iconsPending() const; // some items still wait for their icons

    void setEntries(const std::vector<std::string> &folders) override;
    void removeEntry(int row) override;
    int selectedRow() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildLayout();
    void drawSomeIcons(); // one time slice of icons, in list order

    ComboBoxFolders m_folderBox; // the main window's Text1, kept position for position with List1
    forms::Form3Logic m_logic;   // what the list does
    QImage m_scratch;            // drawing surface for one folder icon at a time
    QIcon m_blank;               // what an item shows until its icon is drawn, and when it has none
    QTimer m_iconTimer;          // draws the icons between the user's events
    int m_nextIcon = 0;          // the first item whose icon is not drawn yet
    QListWidget *List1;          // the folders with their icons
    QPushButton *Command1;       // "Удалить"
    QPushButton *Command2;       // "Выход"
    QPushButton *Command3;       // "Очистить"
};
