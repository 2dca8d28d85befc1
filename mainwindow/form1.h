#pragma once

#include "engine/commandline.h"
#include "engine/customisationrequest.h"
#include "engine/desktopinireader.h"
#include "engine/folderdresser.h"
#include "engine/settings.h"
#include "mainwindow/chooserstate.h"
#include "mainwindow/form1ui.h"

#include <QMainWindow>

#include <string>

class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class QMessageBox;
class SingleCopy;

// The main window: its controls and the options dialog's hold one CustomisationRequest.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Form_Load: options into the options dialog, the single-copy check, the caption.
    // False when another copy runs and only one may: this copy must end without showing anything.
    bool load();

    // The request that the controls hold now.
    engine::CustomisationRequest request() const;
    // Sets the fields that the switches name, through the same reactions as the user's changes.
    void applyCommandLine(const engine::CommandLineRequest &parsed);
    // Applies the request to the target folders; a long run shows its count and can be stopped.
    engine::MakeIconResult makeicon();
    // Removes the customisation: "0" the selected folder, "1" every folder of the list.
    void delicon(const std::string &scope);
    // Puts what a folder's "desktop.ini" held into the fields.
    void applyFolderIni(const engine::FolderIniOutcome &outcome);

    Form4 *options();                      // the options dialog, loaded on first use
    Form2 *picker();                       // the folder picker, created hidden on first use
    Form3 *folderList();                   // the folder list, created hidden on first use
    Form6 *removeChoice();                 // the remove choice, created hidden on first use
    engine::IconSource iconSource() const; // Option1 / Option2
    const ChooserState &chooser() const { return m_CD1; } // the shared chooser's state
    engine::Settings &settings() { return m_settings; }

    // The main window's caption: "Ravo ver. 2.0." and the revision.
    static QString caption();
    // The about box's seven CR-joined lines.
    static QString aboutText();

    // Field reactions, icon source and choosers.
    void Command2_Click();  // choose the icon file
    void Command10_Click(); // choose the background picture
    void Command11_Click(); // choose the name colour
    void Command6_Click();  // browse the icons of the library file
    void Text1_Click();     // an entry of the folder box became current: read its customisation
    void selectIconSource(engine::IconSource source);

    // Commands and menus.
    void Command1_Click(); // open the folder picker
    void Command3_Click(); // apply
    void Command4_Click(); // remove
    void mnuDireditlist_Click();
    void mnuPrefOpt_Click();
    void mnuAbout_Click();
    void mnuLngSel_Click(); // the language dialog, modal

private:
    void connectControls();
    void connectMenus();
    void Check_Click(); // rebuilds Command3's caption from the three boxes
    void Option_Click(engine::IconSource source);
    bool confirmInputs();
    bool applyWithReport();
    // Names the folders whose icon or picture the clients of their Samba share cannot open.
    void showPathWarnings(const std::vector<std::string> &warnings);
    void browseLibrary(); // the library browser component; its index goes into Text3
    void raiseFromOtherCopy();
    void showError(const QString &text);

    Form1Ui m_ui;                // the controls, by objectName
    ChooserState m_CD1;          // the chooser shared by the icon, picture and colour choices
    engine::Settings m_settings; // the per-user options store
    double m_dpi = 96.0;         // logical DPI for twips
    Form2 *m_form2 = nullptr;    // folder picker, created on first use
    Form3 *m_form3 = nullptr;    // folder list, created on first use
    Form4 *m_form4 = nullptr;    // options dialog, created on first use
    Form5 *m_form5 = nullptr;    // language dialog, created on first use
    Form6 *m_form6 = nullptr;    // remove choice, kept for the run like every window
    SingleCopy *m_singleCopy = nullptr; // answers the copies started after this one
};
