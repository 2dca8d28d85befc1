#pragma once

#include "dialogs/comboboxfolders.h"
#include "forms/form2logic.h"

#include <QDialog>

#include <functional>

class FolderView;
class PictureBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The folder picker: adds folders chosen in a tree to the main window's folder box.
class Form2 : public QDialog, public forms::Form2View
{
    Q_OBJECT
public:
    Form2(QComboBox *folderBox, std::function<void()> readfolderini, QWidget *parent = nullptr);

    std::string selectedLabel() const override;
    void setSelectedLabel(const std::string &path) override;
    void showPreview(const std::string &path) override;
    std::string goToText() const override;
    void goTo(const std::string &path) override;
    bool treeHasSelection() const override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();

    ComboBoxFolders m_folderBox; // the main window's Text1: list of target folders
    forms::Form2Logic m_logic;   // what the picker does
    FolderView *FolderView1;     // the folder tree
    QLabel *Label1;              // full path of the selected folder
    PictureBox *image1;          // 32x32 preview of the selected folder's icon
    QPushButton *Command1;       // "Выбрать": add the selected folder
    QPushButton *Command2;       // "Закрыть": hide the picker
    QPushButton *Command3;       // "Перейти к...": go to the path in Text1
    QLineEdit *Text1;            // the path to go to
};
