#pragma once

#include <QDialog>

#include <functional>

class FolderView;
class PictureBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The folder picker: adds folders chosen in a tree to the main window's folder box.
class Form2 : public QDialog
{
    Q_OBJECT
public:
    Form2(QComboBox *folderBox, std::function<void()> readfolderini, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FolderView1_SelectionChange(); // shows the selected folder's path and icon
    void Command1_Click();              // adds the selected folder to the main list
    void Command3_Click();              // moves the tree to the typed path
    void buildLayout();

    QComboBox *m_folderBox; // the main window's Text1: list of target folders
    std::function<void()>
        m_readfolderini;     // loads the box's folder's desktop.ini into the main window
    FolderView *FolderView1; // the folder tree
    QLabel *Label1;          // full path of the selected folder
    PictureBox *image1;      // 32x32 preview of the selected folder's icon
    QPushButton *Command1;   // "Выбрать": add the selected folder
    QPushButton *Command2;   // "Закрыть": hide the picker
    QPushButton *Command3;   // "Перейти к...": go to the path in Text1
    QLineEdit *Text1;        // the path to go to
};
