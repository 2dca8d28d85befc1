#pragma once

#include "engine/commandline.h"
#include "engine/customisationrequest.h"
#include "engine/desktopinireader.h"
#include "engine/folderdresser.h"
#include "engine/settings.h"
#include "forms/form1logic.h"
#include "forms/form1view.h"
#include "mainwindow/form1ui.h"

#include <QMainWindow>

#include <string>

class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class QLineEdit;
class QCheckBox;
class SingleCopy;

// The main window: its controls and the options dialog's hold one CustomisationRequest. What the
// window does is forms::Form1Logic's; this class builds the controls, turns their signals into
// the logic's calls and shows what the logic sets. Its setters never call back into the logic.
class Form1 : public QMainWindow, public forms::Form1View
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Form_Load: options into the options dialog, the single-copy check, the caption.
    // False when another copy runs and only one may: this copy must end without showing anything.
    bool load();

    forms::Form1Logic &logic() { return m_logic; }
    engine::CustomisationRequest request() const { return m_logic.request(); }
    void applyCommandLine(const engine::CommandLineRequest &parsed)
    {
        m_logic.applyCommandLine(parsed);
    }
    engine::MakeIconResult makeicon() { return m_logic.makeicon(); }
    void delicon(const std::string &scope) { m_logic.delicon(scope); }
    void applyFolderIni(const engine::FolderIniOutcome &outcome)
    {
        m_logic.applyFolderIni(outcome);
    }

    Form4 *options();      // the options dialog, loaded on first use
    Form2 *picker();       // the folder picker, created hidden on first use
    Form3 *folderList();   // the folder list, created hidden on first use
    Form6 *removeChoice(); // the remove choice, created hidden on first use
    engine::IconSource iconSource() const { return m_logic.iconSource(); }
    const forms::ChooserState &chooser() const { return m_logic.chooser(); }
    engine::Settings &settings() { return m_settings; }

    static QString caption();   // "Ravo ver. 2.0." and the revision
    static QString aboutText(); // the about box's seven CR-joined lines

    // Field reactions, icon source and choosers.
    void Command2_Click() { m_logic.Command2_Click(); }
    void Command10_Click() { m_logic.Command10_Click(); }
    void Command11_Click() { m_logic.Command11_Click(); }
    void Command6_Click() { m_logic.Command6_Click(); }
    void Text1_Click() { m_logic.Text1_Click(); }
    void selectIconSource(engine::IconSource source) { m_logic.selectIconSource(source); }

    // Commands and menus.
    void Command1_Click() { m_logic.Command1_Click(); }
    void Command3_Click() { m_logic.Command3_Click(); }
    void Command4_Click() { m_logic.Command4_Click(); }
    void mnuDireditlist_Click() { m_logic.mnuDireditlist_Click(); }
    void mnuPrefOpt_Click() { m_logic.mnuPrefOpt_Click(); }
    void mnuAbout_Click() { m_logic.mnuAbout_Click(); }
    void mnuLngSel_Click() { m_logic.mnuLngSel_Click(); }

    // forms::FormPrompts, through Prompter::instance() so that tests answer them.
    forms::Answer message(forms::MessageIcon icon, const std::string &title,
                          const std::string &text, forms::MessageButtons buttons) override;
    std::optional<std::string> openFile(const std::string &filter,
                                        const std::string &initialFile) override;
    std::optional<std::uint32_t> chooseColour(std::uint32_t initial) override;

    // forms::FolderBoxView: Text1.
    std::vector<std::string> folders() const override;
    std::string currentFolder() const override;
    void addFolder(const std::string &path) override;
    void removeFolder(int index) override;
    void clearFolders() override;

    // forms::Form1View
    std::string text(forms::Form1Text box) const override;
    void setText(forms::Form1Text box, const std::string &text) override;
    bool isTicked(forms::Form1Tick tick) const override;
    void setTicked(forms::Form1Tick tick, bool on) override;
    std::uint32_t nameColour() const override;
    void setNameColour(std::uint32_t colour) override;
    void setApplyCaption(const std::string &caption) override;
    void setCaption(const std::string &caption) override;
    void showIconSource(engine::IconSource source) override;
    void focusInfoTip() override;
    std::string aboutMenuCaption() const override;
    forms::Form4Logic &optionsLogic() override;
    forms::Form6Logic &removeChoiceLogic() override;
    void openPicker() override;
    void openFolderList() override;
    void openOptions() override;
    void openLanguages() override;
    std::unique_ptr<forms::RunProgressView> startProgress() override;

private:
    void connectControls();
    void connectMenus();
    void raiseFromOtherCopy();
    QLineEdit *lineEdit(forms::Form1Text box) const;
    QCheckBox *checkBox(forms::Form1Tick tick) const; // null for the menu item

    Form1Ui m_ui;                                 // the controls, by objectName
    engine::Settings m_settings;                  // the per-user options store
    forms::Form1Logic m_logic{*this, m_settings}; // what the window does
    double m_dpi = 96.0;                          // logical DPI for twips
    Form2 *m_form2 = nullptr;                     // folder picker, created on first use
    Form3 *m_form3 = nullptr;                     // folder list, created on first use
    Form4 *m_form4 = nullptr;                     // options dialog, created on first use
    Form5 *m_form5 = nullptr;                     // language dialog, created on first use
    Form6 *m_form6 = nullptr;           // remove choice, kept for the run like every window
    SingleCopy *m_singleCopy = nullptr; // answers the copies started after this one
};
