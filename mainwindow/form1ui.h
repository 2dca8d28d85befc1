#pragma once

#include <QMainWindow>

class ColourSwatch;
class FolderBox;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

// The controls of the main window, each named after its objectName.
struct Form1Ui {
    QWidget *client = nullptr; // the client area below the menu bar

    QGroupBox *Frame1 = nullptr;     // groups the folder box
    FolderBox *Text1 = nullptr;      // folder box: target folders and the selected folder
    QPushButton *Command1 = nullptr; // opens the folder picker
    QGroupBox *Frame3 = nullptr;     // groups the two icon-source buttons
    QRadioButton *Option1 = nullptr; // icon from an icon or picture file
    QRadioButton *Option2 = nullptr; // icon from an icon library
    QCheckBox *Check2 = nullptr;     // make icon
    QGroupBox *Frame2 = nullptr;     // icon fields; its height decides whether its second row shows
    QLineEdit *Text2 = nullptr;      // icon file or library file
    QPushButton *Command2 = nullptr; // chooses the icon file
    QLabel *Label1_0 = nullptr;      // names the index box
    QLineEdit *Text3 = nullptr;      // icon index
    QPushButton *Command6 = nullptr; // browses the icons of the library
    QCheckBox *Check1 = nullptr;     // make info tip
    QGroupBox *Frame4 = nullptr;     // groups the info tip
    QLineEdit *Text4 = nullptr;      // info tip text
    QCheckBox *Check3 = nullptr;     // make background picture and name colour
    QGroupBox *Frame8 = nullptr;     // groups background picture and colour
    QLineEdit *Text5 = nullptr;      // background picture file
    QPushButton *Command10 = nullptr; // chooses the picture
    QLabel *Label1_1 = nullptr;       // names the colour swatch
    ColourSwatch *Picture1 = nullptr; // name colour
    QPushButton *Command11 = nullptr; // chooses the colour
    QPushButton *Command3 = nullptr;  // apply; its caption lists what will be made
    QPushButton *Command4 = nullptr;  // remove customisation

    QMenu *mnuFile = nullptr;
    QAction *mnuFileSelfile = nullptr; // same as Command2
    QMenu *mnuFileicoby = nullptr;
    QAction *mnuFileicobyFile = nullptr; // selects Option1
    QAction *mnuFileicobyLib = nullptr;  // selects Option2
    QAction *mnuFileCopyIcon = nullptr;  // copy the icon and picture into each folder
    QMenu *mnuDir = nullptr;
    QAction *mnuDirSeldir = nullptr;   // same as Command1
    QAction *mnuDireditlist = nullptr; // opens the folder list
    QMenu *mnuPref = nullptr;
    QAction *mnuPrefOpt = nullptr; // opens the options dialog
    QMenu *mnuLng = nullptr;
    QAction *mnuLngSel = nullptr; // opens the language dialog
    QMenu *mnuHlp = nullptr;
    QAction *mnuAbout = nullptr; // shows the about box

    // Creates every control with its caption, start state and file-layout geometry.
    void setupUi(QMainWindow *window);

private:
    void setupControls(QWidget *client);
    void setupMenus(QMainWindow *window);
};
