#pragma once

#include <QDialog>
#include <QImage>

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
    void buildList(); // one item per folder box entry, in order, each with the folder's icon

private:
    void Command1_Click(); // removes the selected folder from both lists
    void Command3_Click(); // empties both lists and the folder box's edit line
    void buildLayout();

    QComboBox *m_folderBox; // the main window's Text1, kept position for position with List1
    QImage m_scratch;       // drawing surface for one folder icon at a time
    QListWidget *List1;     // the folders with their icons
    QPushButton *Command1;  // "Удалить"
    QPushButton *Command2;  // "Выход"
    QPushButton *Command3;  // "Очистить"
};
